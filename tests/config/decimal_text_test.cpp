// Decimal numbers as text taken apart exactly: the number is
// 0.<digits> x 10^point with the sign apart.

#include "config/decimal_text.h"

#include <gtest/gtest.h>

namespace cindral::config {
namespace {

TEST(ParseDecimalText, SplitsSignDigitsAndPoint) {
    struct Case {
        const char* text;
        bool negative;
        const char* digits;
        long long point;
    };
    const Case cases[] = {
        {"125", false, "125", 3},
        {"12.5e1", false, "125", 3},
        {"-0.05", true, "005", 1},
        {"+.5", false, "5", 0},
        {"7.", false, "7", 1},
        {"3E-2", false, "3", -1},
        {"-00", true, "00", 2},
        {"4e+0", false, "4", 1},
        // Exponents beyond any number a setting could hold stop growing at 10^12.
        {"1e99999999999999999999", false, "1", 1 + 1'000'000'000'000LL},
        {"1e-99999999999999999999", false, "1", 1 - 1'000'000'000'000LL},
    };
    for (const Case& c : cases) {
        const std::optional<DecimalText> number = ParseDecimalText(c.text);
        ASSERT_TRUE(number) << c.text;
        EXPECT_EQ(number->negative, c.negative) << c.text;
        EXPECT_EQ(number->digits, c.digits) << c.text;
        EXPECT_EQ(number->point, c.point) << c.text;
    }
}

TEST(ParseDecimalText, RefusesAnythingElse) {
    for (const char* text :
         {"",   "+",  "-",  ".",   "+.",  "e5",   ".e5",   "1e",  "1e+",   "1e-",
          " 1", "1 ", "1x", "inf", "nan", "0x10", "1.2.3", "--1", "1e2.5", "1,5"}) {
        EXPECT_FALSE(ParseDecimalText(text)) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace cindral::config
