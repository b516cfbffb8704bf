#include "text/decimal.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace cindral::text {
namespace {

TEST(LeadingDecimal, ReadsTheLongestDecimalPrefix) {
    EXPECT_EQ(LeadingDecimal("-0.25"), -0.25);
    EXPECT_EQ(LeadingDecimal("+7"), 7.0);
    EXPECT_EQ(LeadingDecimal("12abc"), 12.0);
    EXPECT_EQ(LeadingDecimal(".5"), 0.5);
    EXPECT_EQ(LeadingDecimal("5."), 5.0);
    EXPECT_EQ(LeadingDecimal("1e3"), 1.0);
    EXPECT_EQ(LeadingDecimal(""), 0.0);
    EXPECT_EQ(LeadingDecimal("-"), 0.0);
    EXPECT_EQ(LeadingDecimal("abc"), 0.0);
    EXPECT_EQ(LeadingDecimal(std::string(400, '9')), std::numeric_limits<double>::infinity());
}

}  // namespace
}  // namespace cindral::text
