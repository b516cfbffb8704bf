#pragma once
// The number at the start of a text, as the fire options and the media
// device's replies write them.

#include <string_view>

namespace cindral::text {

// The longest leading decimal number (optional sign, digits, optional
// fraction; no exponent), correctly rounded; 0 when there is none, and an
// infinity when the digits overflow a double.
double LeadingDecimal(std::string_view text);

}  // namespace cindral::text
