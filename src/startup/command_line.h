#pragma once
// The screen-saver command line: the mode letter in character 2 (after
// upper-casing), the argument from character 4. Nothing else is read.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cindral::startup {

struct CommandLine {
    bool empty = true;       // no text at all after the program name
    char ModeLetter = '\0';  // '\0' when the line is shorter than 2 characters
    std::string argument;    // characters 4.. (character 3 is skipped whatever it holds)
};

CommandLine ParseCommandLine(std::string_view line);

// Numeric value of the longest leading decimal number of `text` (blanks
// allowed before and inside it, optional sign and fraction); 0 when there is
// none.
double LeadingNumber(std::string_view text);

// Preview parent handle: LeadingNumber rounded to the nearest 32-bit integer,
// ties to even. A value outside the 32-bit range names no window and gives 0.
std::int32_t PreviewHandle(std::string_view argument);

// Password-change owner: the argument as a plain decimal 32-bit integer
// (surrounding blanks allowed); nothing when it is not one.
std::optional<std::int32_t> OwnerHandle(std::string_view argument);

}  // namespace cindral::startup
