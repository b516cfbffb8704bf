// Option strings: the built-in kinds, the scan rules and the random pick.

#include "fire/fire_options.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace cindral::fire {
namespace {

FireParams Parse(std::string_view s) {
    FireParams p;
    ParseFireOptions(s, p);
    return p;
}

TEST(PresetTable, KindZeroGivesItsListedValues) {
    const FireParams p = Parse(PresetTable[0]);
    EXPECT_EQ(p.blurPasses, 5);
    EXPECT_EQ(p.gravity, -0.25f);
    EXPECT_TRUE(p.windEnabled);
    EXPECT_EQ(p.windStrength, 2.0f);
    EXPECT_EQ(p.particleCount, 5000);
    EXPECT_EQ(p.burstSize, 200);
    EXPECT_EQ(p.paletteKind, 0);
    EXPECT_EQ(p.scrollRows, 3);
    EXPECT_TRUE(p.scrollEnabled);
    EXPECT_EQ(p.emitAngleStart, 0);
    EXPECT_EQ(p.emitAngleSpan, 360);
    EXPECT_TRUE(p.emitEnabled);
    EXPECT_EQ(p.spawnCount, 45);
    EXPECT_EQ(p.speedMin, 0.0f);
    EXPECT_EQ(p.speedSpan, 4.0f);
    EXPECT_EQ(p.emitterMode, 1);
    // Untouched by the string.
    EXPECT_EQ(p.decay, 0.2f);
    EXPECT_EQ(p.heatStart, 255);
    EXPECT_EQ(p.heatSpan, 0);
    EXPECT_EQ(p.spawnJitter, 0);
    EXPECT_EQ(p.decayJitter, 0.0f);
    EXPECT_FALSE(p.clearEachFrame);
}

TEST(PresetTable, KindsFiveSixAndSevenUseTheirOwnCones) {
    const FireParams five = Parse(PresetTable[5]);
    EXPECT_EQ(five.emitAngleStart, 180);
    EXPECT_EQ(five.emitAngleSpan, 180);
    EXPECT_EQ(five.speedSpan, 10.0f);
    EXPECT_EQ(five.decay, 15.0f);
    EXPECT_EQ(five.emitterMode, 3);
    EXPECT_EQ(five.particleCount, 9000);
    EXPECT_EQ(five.spawnCount, 350);

    const FireParams six = Parse(PresetTable[6]);
    EXPECT_EQ(six.blurPasses, 6);
    EXPECT_EQ(six.particleCount, 10000);
    EXPECT_EQ(six.decay, 9.0f);

    // -d comes before -f here; both still take effect.
    const FireParams seven = Parse(PresetTable[7]);
    EXPECT_EQ(seven.decay, 9.0f);
    EXPECT_EQ(seven.emitterMode, 2);
    EXPECT_EQ(seven.scrollRows, 9);
    EXPECT_EQ(seven.gravity, -0.1f);
    EXPECT_EQ(seven.windStrength, 0.5f);
}

TEST(PresetTable, EveryKindWindsScrollsEmitsAndUsesTheFirePalette) {
    for (const auto options : PresetTable) {
        const FireParams p = Parse(options);
        EXPECT_TRUE(p.windEnabled && p.scrollEnabled && p.emitEnabled) << options;
        EXPECT_EQ(p.paletteKind, 0) << options;
        EXPECT_EQ(p.burstSize, 200) << options;
    }
    EXPECT_EQ(Parse(PresetTable[3]).windStrength, 0.2f);
    EXPECT_EQ(Parse(PresetTable[3]).gravity, -0.05f);
    EXPECT_EQ(Parse(PresetTable[4]).scrollRows, 1);
}

TEST(ParseFireOptions, EmptyStringGivesOnlyDefaults) {
    const FireParams p = Parse("");
    EXPECT_EQ(p.particleCount, 2000);
    EXPECT_EQ(p.blurPasses, 1);
    EXPECT_EQ(p.gravity, -0.01f);
    EXPECT_EQ(p.emitAngleStart, 180);
    EXPECT_EQ(p.emitAngleSpan, 180);
    EXPECT_EQ(p.speedMin, 0.0f);
    EXPECT_EQ(p.speedSpan, 1.0f);
    EXPECT_EQ(p.spawnCount, 3);
    EXPECT_EQ(p.heatStart, 255);
    EXPECT_EQ(p.heatSpan, 0);
    EXPECT_FALSE(p.windEnabled);
    EXPECT_FALSE(p.emitEnabled);
    EXPECT_FALSE(p.scrollEnabled);
    EXPECT_EQ(p.decay, 0.2f);
}

TEST(ParseFireOptions, ExactlyOneBlankSeparatesAnOptionFromItsNumber) {
    EXPECT_EQ(Parse("-b  5").blurPasses, 0);  // the text is empty: 0, and -b occurred
    EXPECT_EQ(Parse("-b 5").blurPasses, 5);
    EXPECT_EQ(Parse("-B 5").blurPasses, 1);  // not an option: default
    EXPECT_EQ(Parse("-b").blurPasses, 0);    // at the very end, no number
    EXPECT_EQ(Parse("-p 12 -b").particleCount, 12);
}

TEST(ParseFireOptions, SkipsStrayTextAndLetsLaterOccurrencesWin) {
    const FireParams p = Parse("xx-b 2 junk -g 0.5 -b 7 --n 4");
    EXPECT_EQ(p.blurPasses, 7);
    EXPECT_EQ(p.gravity, 0.5f);
    EXPECT_EQ(p.spawnCount, 4);
    // The option name is case-sensitive: -N is the jitter, not the count.
    const FireParams q = Parse("-N 6");
    EXPECT_EQ(q.spawnJitter, 6);
    EXPECT_EQ(q.spawnCount, 3);
}

TEST(ParseFireOptions, WholeFieldsRoundHalfToEvenAndSkipWhatDoesNotFit) {
    EXPECT_EQ(Parse("-p 2.5").particleCount, 2);
    EXPECT_EQ(Parse("-p 3.5").particleCount, 4);
    EXPECT_EQ(Parse("-p -2.5").particleCount, -2);
    EXPECT_EQ(Parse("-n 7.49").spawnCount, 7);
    // Too large for 32 bits: the field keeps its value, yet -p counts as given.
    EXPECT_EQ(Parse("-p 3000000000").particleCount, 0);
    EXPECT_EQ(Parse("-p 2147483647").particleCount, 2147483647);
    EXPECT_EQ(Parse("-p -2147483648").particleCount, -2147483647 - 1);
    // A number longer than a double: still not stored, still no crash.
    EXPECT_EQ(Parse("-k " + std::string(400, '9')).burstSize, 0);
    EXPECT_EQ(Parse("-g " + std::string(400, '9')).gravity, 0.0f);
    EXPECT_EQ(Parse("-g 0." + std::string(400, '0') + "1").gravity, 0.0f);
}

TEST(ParseFireOptions, ClearEachFrameOnlyForExactlyOne) {
    EXPECT_TRUE(Parse("-r 1").clearEachFrame);
    EXPECT_TRUE(Parse("-r 1.0").clearEachFrame);
    EXPECT_FALSE(Parse("-r 2").clearEachFrame);
    EXPECT_FALSE(Parse("-r 1.5").clearEachFrame);
    EXPECT_FALSE(Parse("-r 1 -r 0").clearEachFrame);
}

TEST(ParseFireOptions, TwoNumberOptionsStoreStartAndSpan) {
    const FireParams c = Parse("-c 30 90");
    EXPECT_EQ(c.emitAngleStart, 30);
    EXPECT_EQ(c.emitAngleSpan, 60);
    EXPECT_TRUE(c.emitEnabled);

    const FireParams s = Parse("-s 0.5 2");
    EXPECT_EQ(s.speedMin, 0.5f);
    EXPECT_EQ(s.speedSpan, 1.5f);

    // The span is taken from the stored, rounded start.
    EXPECT_EQ(Parse("-c 2.5 10").emitAngleSpan, 8);

    const FireParams heat = Parse("-C 10 5");  // -5 does not fit a byte
    EXPECT_EQ(heat.heatStart, 10);
    EXPECT_EQ(heat.heatSpan, 0);
    const FireParams big = Parse("-C 300 200");  // 300 does not fit: start keeps 0
    EXPECT_EQ(big.heatStart, 0);
    EXPECT_EQ(big.heatSpan, 200);
    const FireParams ok = Parse("-C 100 250");
    EXPECT_EQ(ok.heatStart, 100);
    EXPECT_EQ(ok.heatSpan, 150);

    // A missing second number reads as 0.
    const FireParams half = Parse("-c 45");
    EXPECT_EQ(half.emitAngleStart, 45);
    EXPECT_EQ(half.emitAngleSpan, -45);
}

TEST(ParseFireOptions, WindPaletteEmissionAndScrollSwitches) {
    EXPECT_TRUE(Parse("-l 0").windEnabled);  // -l switches the wind on too
    EXPECT_EQ(Parse("-l 3").paletteKind, 3);
    EXPECT_TRUE(Parse("-w 0").windEnabled);
    EXPECT_TRUE(Parse("-y 0").scrollEnabled);
    EXPECT_FALSE(Parse("-n 5").emitEnabled);
    EXPECT_EQ(Parse("-d 1.5 -D 0.5").decayJitter, 0.5f);
    EXPECT_EQ(Parse("-d 1.5 -D 0.5").decay, 1.5f);
}

TEST(ChoosePreset, KindsZeroToSevenNameTheirRowAndLeaveTheGeneratorAlone) {
    for (std::int16_t k = 0; k < 8; ++k) {
        Rnd rnd(5), untouched(5);
        std::int16_t kind = k;
        EXPECT_EQ(ChoosePreset(kind, 1234, rnd), PresetTable[static_cast<std::size_t>(k)]);
        EXPECT_EQ(kind, k);
        EXPECT_EQ(rnd.NextBits(), untouched.NextBits());
    }
}

TEST(ChoosePreset, OtherKindsGiveTheEmptyString) {
    for (const std::int16_t k : {std::int16_t{9}, std::int16_t{-1}, std::int16_t{32767}}) {
        Rnd rnd(5), untouched(5);
        std::int16_t kind = k;
        EXPECT_TRUE(ChoosePreset(kind, 1234, rnd).empty());
        EXPECT_EQ(kind, k);
        EXPECT_EQ(rnd.NextBits(), untouched.NextBits());
    }
}

TEST(ChoosePreset, RandomKindReseedsFromTheClockAndPicksZeroToSeven) {
    bool seen[8] = {};
    for (int seconds = 0; seconds < 400; ++seconds) {
        Rnd rnd(99);
        std::int16_t kind = 8;
        const std::string_view s = ChoosePreset(kind, seconds, rnd);
        ASSERT_GE(kind, 0);
        ASSERT_LE(kind, 7);
        seen[kind] = true;
        EXPECT_EQ(s, PresetTable[static_cast<std::size_t>(kind)]);
        // The same second gives the same pick, whatever the earlier state.
        Rnd other(12345);
        std::int16_t again = 8;
        ChoosePreset(again, seconds, other);
        EXPECT_EQ(again, kind);
        // The pick is the first draw after seeding with the seconds.
        Rnd expected(static_cast<std::uint64_t>(seconds));
        EXPECT_EQ(kind, static_cast<int>(std::floor(expected.Next() * 8.0)));
    }
    for (bool s : seen) EXPECT_TRUE(s);
}

}  // namespace
}  // namespace cindral::fire
