// The INI text rules: what a read finds and what a write changes, byte for byte.

#include "config/profile_text.h"

#include <gtest/gtest.h>

#include <string>

namespace cindral::config {
namespace {

TEST(ProfileRead, DropsBlanksAroundNamesAndValues) {
    const std::string text = "[Section]\r\n  A = 1 \r\nB=\t2\t\r\n[ Other ]\r\nC=x y\r\n";
    EXPECT_EQ(ReadProfileValue(text, "Section", "A"), "1");
    EXPECT_EQ(ReadProfileValue(text, "Section", "B"), "2");
    EXPECT_EQ(ReadProfileValue(text, "Other", "C"), "x y");
}

TEST(ProfileRead, MatchesNamesIgnoringAsciiCaseButNotShiftJisTrailBytes) {
    EXPECT_EQ(ReadProfileValue("[SECTION]\nFireKind=3\n", "section", "FIREKIND"), "3");
    // 0x83 0x41 and 0x83 0x61 are two different katakana whose trail bytes look like "A"/"a".
    const std::string text = "[Section]\n\x83\x61=small\n\x83\x41=big\n";
    EXPECT_EQ(ReadProfileValue(text, "Section", "\x83\x41"), "big");
    EXPECT_EQ(ReadProfileValue(text, "Section", "\x83\x61"), "small");
}

TEST(ProfileRead, MissingPiecesReadEmpty) {
    const std::string text = "K=before any section\n[Section]\nA=1\n[Other]\nK=2\n";
    EXPECT_EQ(FindProfileValue(text, "Section", "K"), std::nullopt);
    EXPECT_EQ(FindProfileValue(text, "Nowhere", "A"), std::nullopt);
    EXPECT_EQ(FindProfileValue("", "Section", "A"), std::nullopt);
    EXPECT_EQ(ReadProfileValue(text, "Section", "K"), "");
    EXPECT_EQ(FindProfileValue("[Section]\nA=\n", "Section", "A"), "");  // present but empty
}

TEST(ProfileRead, FirstSectionAndFirstKeyWin) {
    const std::string text = "[Section]\nA=1\nA=2\n[Section]\nA=3\nB=4\n";
    EXPECT_EQ(ReadProfileValue(text, "Section", "A"), "1");
    EXPECT_EQ(FindProfileValue(text, "Section", "B"), std::nullopt);
}

TEST(ProfileRead, StrayLinesNeitherMatchNorEndTheSection) {
    const std::string text = "[Section]\nA\n; A=comment\n[unclosed\n=5\nA=6\n";
    EXPECT_EQ(ReadProfileValue(text, "Section", "A"), "6");
    EXPECT_EQ(FindProfileValue(text, "Section", ""), std::nullopt);
}

TEST(ProfileRead, SkipsAByteOrderMarkBeforeTheFirstSection) {
    const std::string text = "\xEF\xBB\xBF[Section]\r\nA=1\r\n";
    EXPECT_EQ(ReadProfileValue(text, "Section", "A"), "1");
    EXPECT_EQ(SetProfileValue(text, "Section", "A", "2"), "\xEF\xBB\xBF[Section]\r\nA=2\r\n");
}

TEST(ProfileRead, CutsValuesAtNulAndAt255Bytes) {
    const std::string longValue(300, 'v');
    const std::string text =
        "[Section]\nLong=" + longValue + "\nNul=ab" + std::string(1, '\0') + "cd\n";
    EXPECT_EQ(ReadProfileValue(text, "Section", "Long"), std::string(255, 'v'));
    EXPECT_EQ(FindProfileValue(text, "Section", "Long"), longValue);
    EXPECT_EQ(ReadProfileValue(text, "Section", "Nul"), "ab");
}

TEST(ProfileWrite, ReplacesTheKeyLineInPlace) {
    const std::string text = "; top\r\n[Section]\r\n  a = 1 \r\nB=2\r\n\r\n[Other]\r\nA=9\r\n";
    EXPECT_EQ(SetProfileValue(text, "section", "A", " 5"),
              "; top\r\n[Section]\r\nA= 5\r\nB=2\r\n\r\n[Other]\r\nA=9\r\n");
    // Only the first of two keys of the same name changes.
    EXPECT_EQ(SetProfileValue("[S]\nA=1\nA=2\n", "S", "A", "3"), "[S]\nA=3\nA=2\n");
}

TEST(ProfileWrite, AddsAMissingKeyAtTheEndOfItsSectionInTheFilesLineStyle) {
    EXPECT_EQ(SetProfileValue("[Section]\nA=1\n\n[Other]\nX=1\n", "Section", "B", "2"),
              "[Section]\nA=1\nB=2\n\n[Other]\nX=1\n");
    EXPECT_EQ(SetProfileValue("[Section]\r\nA=1\r\n; note\r\n", "Section", "B", "2"),
              "[Section]\r\nA=1\r\n; note\r\nB=2\r\n");
    EXPECT_EQ(SetProfileValue("[Section]\nA=1", "Section", "B", "2"), "[Section]\nA=1\nB=2");
    EXPECT_EQ(SetProfileValue("[Section]", "Section", "B", "2"), "[Section]\r\nB=2");
}

TEST(ProfileWrite, AddsAMissingSectionAtTheEnd) {
    EXPECT_EQ(SetProfileValue("", "Section", "A", "1"), "[Section]\r\nA=1\r\n");
    EXPECT_EQ(SetProfileValue("[Other]\nX=1\n", "Section", "A", ""),
              "[Other]\nX=1\n[Section]\nA=\n");
    EXPECT_EQ(SetProfileValue("; note", "Section", "A", "1"), "; note\r\n[Section]\r\nA=1\r\n");
}

TEST(ProfileWrite, RefusesEntriesThatWouldNotReadBackUnchanged) {
    EXPECT_TRUE(IsStorableProfileEntry("Section", "A", " padded value "));
    EXPECT_FALSE(IsStorableProfileEntry("Section", "A", std::string("n\0l", 3)));
    EXPECT_FALSE(IsStorableProfileEntry("Section", "A=B", "1"));
    EXPECT_FALSE(IsStorableProfileEntry("Section", " A", "1"));
    EXPECT_FALSE(IsStorableProfileEntry("Sec]tion", "A", "1"));
    const std::string text = "[Section]\nA=1\n";
    EXPECT_EQ(SetProfileValue(text, "Section", "A", "x\n[Section]\nA=evil"), text);
}

TEST(ProfileWrite, SurvivesHugeLines) {
    const std::string huge(100000, 'x');
    const std::string text = "[Section]\n" + huge + "\nA=" + huge + "\n[" + huge + "\n";
    const std::string written = SetProfileValue(text, "Section", "A", "1");
    EXPECT_EQ(written, "[Section]\n" + huge + "\nA=1\n[" + huge + "\n");
    EXPECT_EQ(ReadProfileValue(written, "Section", "A"), "1");
}

}  // namespace
}  // namespace cindral::config
