#include "config/decimal_text.h"

#include <algorithm>

namespace cindral::config {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<DecimalText> ParseDecimalText(std::string_view text) {
    DecimalText number;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        number.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::size_t i = 0;
    while (i < text.size() && IsDigit(text[i])) number.digits += text[i++];
    number.point = static_cast<long long>(number.digits.size());
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) number.digits += text[i++];
    }
    if (number.digits.empty()) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i++] == '-';
        }
        const std::size_t exponentStart = i;
        long long exponent = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            exponent = std::min(exponent * 10 + (text[i] - '0'), 1'000'000'000'000LL);
        }
        if (i == exponentStart) return std::nullopt;
        number.point += negativeExponent ? -exponent : exponent;
    }
    if (i != text.size()) return std::nullopt;
    return number;
}

}  // namespace cindral::config
