#include "startup/command_line.h"

#include <gtest/gtest.h>

namespace cindral::startup {
namespace {

TEST(CommandLine, ModeLetterIsSecondCharacterUpperCased) {
    EXPECT_EQ(ParseCommandLine("/s").ModeLetter, 'S');
    EXPECT_EQ(ParseCommandLine("-S").ModeLetter, 'S');
    EXPECT_EQ(ParseCommandLine("xs").ModeLetter, 'S');  // character 1 is never looked at
    EXPECT_EQ(ParseCommandLine("/c:4711").ModeLetter, 'C');
    EXPECT_EQ(ParseCommandLine("/p 4711").ModeLetter, 'P');
    EXPECT_EQ(ParseCommandLine("/").ModeLetter, '\0');
    EXPECT_FALSE(ParseCommandLine("/").empty);
    EXPECT_TRUE(ParseCommandLine("").empty);
    EXPECT_EQ(ParseCommandLine("").ModeLetter, '\0');
}

TEST(CommandLine, ArgumentStartsAtCharacterFour) {
    EXPECT_EQ(ParseCommandLine("/p 1234").argument, "1234");
    EXPECT_EQ(ParseCommandLine("/p4711").argument, "711");  // character 3 skipped whatever it is
    EXPECT_EQ(ParseCommandLine("/c:4711").argument, "4711");
    EXPECT_EQ(ParseCommandLine("/p ").argument, "");
    EXPECT_EQ(ParseCommandLine("/s").argument, "");
}

TEST(CommandLine, LeadingNumberTakesTheLongestDecimalPrefix) {
    EXPECT_DOUBLE_EQ(LeadingNumber("4711"), 4711.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("  12 34abc"), 1234.0);  // blanks allowed
    EXPECT_DOUBLE_EQ(LeadingNumber("-2.5x"), -2.5);
    EXPECT_DOUBLE_EQ(LeadingNumber("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(LeadingNumber("abc"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("."), 0.0);
}

TEST(CommandLine, PreviewHandleRoundsHalfToEven) {
    EXPECT_EQ(PreviewHandle("4711"), 4711);
    EXPECT_EQ(PreviewHandle("2.5"), 2);
    EXPECT_EQ(PreviewHandle("3.5"), 4);
    EXPECT_EQ(PreviewHandle("7.49"), 7);
    EXPECT_EQ(PreviewHandle("-1.5"), -2);
    EXPECT_EQ(PreviewHandle("none"), 0);
    EXPECT_EQ(PreviewHandle("2147483647"), 2147483647);
    EXPECT_EQ(PreviewHandle("99999999999"), 0);  // no window can have it
}

TEST(CommandLine, OwnerHandleNeedsAPlainInteger) {
    EXPECT_EQ(OwnerHandle("4711"), 4711);
    EXPECT_EQ(OwnerHandle(" -12 "), -12);
    EXPECT_EQ(OwnerHandle("47x"), std::nullopt);
    EXPECT_EQ(OwnerHandle(""), std::nullopt);
    EXPECT_EQ(OwnerHandle("2147483648"), std::nullopt);
}

}  // namespace
}  // namespace cindral::startup
