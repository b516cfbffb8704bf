#pragma once
// Splits a media-command string into words: blanks separate them, double
// quotes keep blanks inside one word.

#include <cstdint>
#include <string>
#include <vector>

namespace cindral::platform::audio {

struct MciWords {
    std::vector<std::string> words;
    std::uint32_t error = 0;  // kNoClosingQuote for an unfinished quote
};

// A quoted word ends at a quote followed by the end of the command or by a
// keyword (type, alias, from, ...), so a file name holding quotes still
// comes through.
MciWords SplitMciCommand(const std::string& command);

// Every way of splitting `command` that ends its first quoted word at a quote
// followed by a blank or by the end: SplitMciCommand's reading first, then the
// others from the shortest word to the longest. A name that itself holds a
// quote and a keyword ("a" alias b.mp3) is one of them. Just SplitMciCommand's
// reading when the command has no quoted word.
std::vector<MciWords> SplitMciCommandReadings(const std::string& command);

std::string Lower(std::string text);

// A whole non-negative decimal number that fits 32 bits.
bool ParseUnsigned(const std::string& text, std::uint32_t& value);

}  // namespace cindral::platform::audio
