#include "text/decimal.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

namespace cindral::text {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

double LeadingDecimal(std::string_view text) {
    std::size_t k = 0;
    bool negative = false;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) {
        negative = text[k] == '-';
        ++k;
    }
    const std::size_t intStart = k;
    while (k < text.size() && IsDigit(text[k])) ++k;
    const std::size_t intEnd = k;
    std::size_t fracStart = k, fracEnd = k;
    if (k < text.size() && text[k] == '.') {
        fracStart = ++k;
        while (k < text.size() && IsDigit(text[k])) ++k;
        fracEnd = k;
    }
    if (intEnd == intStart && fracEnd == fracStart) return 0.0;

    std::string digits(intEnd == intStart ? std::string_view("0")
                                          : text.substr(intStart, intEnd - intStart));
    if (fracEnd > fracStart) {
        digits += '.';
        digits += text.substr(fracStart, fracEnd - fracStart);
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                           std::chars_format::fixed);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // Too large when a non-zero whole part exists, otherwise too small.
        const bool wholePart = std::any_of(text.begin() + static_cast<std::ptrdiff_t>(intStart),
                                           text.begin() + static_cast<std::ptrdiff_t>(intEnd),
                                           [](char c) { return c != '0'; });
        value = wholePart ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

}  // namespace cindral::text
