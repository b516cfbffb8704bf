#include "platform/audio/interpreter/mci_errors.h"

namespace cindral::platform::audio {

std::string_view MciErrorText(std::uint32_t code) {
    switch (code) {
        case kInvalidDeviceId:
            return "The device identifier is not valid.";
        case kUnrecognizedKeyword:
            return "The command contains a keyword the device does not know.";
        case kUnrecognizedCommand:
            return "The command is not known to any media device.";
        case kHardware:
            return "The media device failed. Check that it works.";
        case kInvalidDeviceName:
            return "The device is not open, or its name or alias is not recognised.";
        case kOutOfMemory:
            return "There is not enough memory for this command.";
        case kDeviceOpen:
            return "The device or alias is already open.";
        case kCannotLoadDriver:
            return "The device's driver could not be loaded.";
        case kMissingCommandString:
            return "No command was given.";
        case kParamOverflow:
            return "The reply does not fit into the buffer given.";
        case kMissingStringArgument:
            return "A text value is missing from the command.";
        case kBadInteger:
            return "A number in the command is not a valid whole number.";
        case kMissingParameter:
            return "The command lacks a value it needs.";
        case kUnsupportedFunction:
            return "The device does not support this command.";
        case kFileNotFound:
            return "The file was not found. Check the path and the file name.";
        case kDeviceNotReady:
            return "The device is not ready: is there a disc in the drive?";
        case kInternal:
            return "An internal error occurred in the media device.";
        case kCannotUseAll:
            return "The name 'all' cannot be used with this command.";
        case kOutOfRange:
            return "A value is outside the range the device allows.";
        case kFlagsNotCompatible:
            return "Keywords of the command cannot be used together.";
        case kDuplicateAlias:
            return "The alias is already in use by an open device.";
        case kBadConstant:
            return "A keyword value in the command is not valid.";
        case kMissingDeviceName:
            return "The command names no device.";
        case kBadTimeFormat:
            return "The time format is not one the device supports.";
        case kNoClosingQuote:
            return "A quoted value in the command has no closing quote.";
        case kDuplicateFlags:
            return "A keyword is given twice.";
        case kInvalidFile:
            return "The file is empty or is not in a format the device can play.";
        case kFilenameRequired:
            return "The device needs a file name.";
        case kExtraCharacters:
            return "The command has extra words at its end.";
        case kDeviceNotInstalled:
            return "No such device is installed: no CD drive or disc image could be opened.";
        case kWaveOutputsUnsuitable:
            return "No audio output could be opened for playback.";
        case kFileRead:
            return "The file or disc could not be read.";
        default:
            return {};
    }
}

}  // namespace cindral::platform::audio
