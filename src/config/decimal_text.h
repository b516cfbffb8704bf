#pragma once
// Decimal numbers written as text (an optional sign, digits with an optional
// fraction, an optional exponent), taken apart exactly: no rounding of long
// digit strings or huge exponents.

#include <optional>
#include <string>
#include <string_view>

namespace cindral::config {

// The number is 0.<digits> x 10^point, negated when `negative`.
struct DecimalText {
    bool negative = false;
    std::string digits;   // every digit, before and after the point; at least one
    long long point = 0;  // digits before the point, moved by the exponent (at most 10^12 away)
};

// `text` as [+|-] digits [. digits] [(e|E) [+|-] digits], with at least one
// digit before the exponent and nothing else (blanks included); nullopt when
// it is not such a number.
std::optional<DecimalText> ParseDecimalText(std::string_view text);

}  // namespace cindral::config
