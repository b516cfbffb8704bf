#pragma once
// Error codes of the media-command layer: the numbers the platform's own
// multimedia library uses, so callers written against it read them alike.

#include <cstdint>
#include <string_view>

namespace cindral::platform::audio {

enum MciError : std::uint32_t {
    kOk = 0,
    kInvalidDeviceId = 257,
    kUnrecognizedKeyword = 259,
    kUnrecognizedCommand = 261,
    kHardware = 262,
    kInvalidDeviceName = 263,
    kOutOfMemory = 264,
    kDeviceOpen = 265,
    kCannotLoadDriver = 266,
    kMissingCommandString = 267,
    kParamOverflow = 268,
    kMissingStringArgument = 269,
    kBadInteger = 270,
    kMissingParameter = 273,
    kUnsupportedFunction = 274,
    kFileNotFound = 275,
    kDeviceNotReady = 276,
    kInternal = 277,
    kCannotUseAll = 279,
    kOutOfRange = 282,
    kFlagsNotCompatible = 284,
    kDuplicateAlias = 289,
    kBadConstant = 290,
    kMissingDeviceName = 292,
    kBadTimeFormat = 293,
    kNoClosingQuote = 294,
    kDuplicateFlags = 295,
    kInvalidFile = 296,
    kFilenameRequired = 304,
    kExtraCharacters = 305,
    kDeviceNotInstalled = 306,
    kWaveOutputsUnsuitable = 326,
    kFileRead = 348,
};

// The description of a code, or an empty view for a code this layer never
// returns.
std::string_view MciErrorText(std::uint32_t code);

}  // namespace cindral::platform::audio
