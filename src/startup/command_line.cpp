#include "startup/command_line.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace cindral::startup {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

CommandLine ParseCommandLine(std::string_view line) {
    CommandLine cl;
    cl.empty = line.empty();
    if (line.size() >= 2) {
        // Only ASCII letters change case; the mode letter is always one of them.
        cl.ModeLetter = static_cast<char>(std::toupper(static_cast<unsigned char>(line[1])));
    }
    if (line.size() > 3) cl.argument = std::string(line.substr(3));
    return cl;
}

double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Collect the digits (blanks inside the number are skipped) and parse them
    // once, so the value is the correctly rounded one.
    std::string digits;
    bool seenPoint = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (IsDigit(c)) {
            digits += c;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
            digits += c;
        } else if (!IsBlank(c)) {
            break;
        }
    }
    if (digits.empty() || digits == ".") return 0.0;
    double value = 0.0;  // locale-independent, unlike strtod
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return negative ? -value : value;
}

std::int32_t PreviewHandle(std::string_view argument) {
    double rounded = std::nearbyint(LeadingNumber(argument));
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max())) {
        return 0;
    }
    return static_cast<std::int32_t>(rounded);
}

std::optional<std::int32_t> OwnerHandle(std::string_view argument) {
    std::size_t b = 0, e = argument.size();
    while (b < e && IsBlank(argument[b])) ++b;
    while (e > b && IsBlank(argument[e - 1])) --e;
    std::string_view t = argument.substr(b, e - b);
    std::size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    if (i == t.size()) return std::nullopt;
    std::int64_t v = 0;
    for (; i < t.size(); ++i) {
        if (!IsDigit(t[i])) return std::nullopt;
        v = v * 10 + (t[i] - '0');
        if (v > std::int64_t{1} << 32) return std::nullopt;
    }
    if (negative) v = -v;
    if (v < std::numeric_limits<std::int32_t>::min() ||
        v > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(v);
}

}  // namespace cindral::startup
