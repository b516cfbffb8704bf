// The particle system on its own: emission, motion, cooling, wind, plotting,
// bursts and scrolling.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "display/memory_surface.h"
#include "fire/fire_engine.h"
#include "fire/fire_engine_probe.h"

namespace cindral::fire {
namespace {

// An engine loaded from `options` with a zeroed heat buffer.
struct Rig {
    Rnd rnd{77};
    std::uint32_t now = 0;
    FireEngine engine{rnd, [this] { return now; }};

    explicit Rig(std::string_view options) {
        engine.ParseOptions(options);
        engine.AllocateParticles();
        EXPECT_TRUE(engine.InitPalette());
        engine.AllocateFireBuffer();
        Zero();
        engine.InitParticles();
    }
    void Zero() { std::fill(Buffer().begin(), Buffer().end(), std::uint8_t{0}); }
    std::vector<std::uint8_t>& Buffer() { return FireEngineProbe::Buffer(engine); }
    std::uint8_t& At(int c, int r) { return Buffer()[static_cast<std::size_t>(r * 325 + c)]; }
    int Hot() const {
        return static_cast<int>(std::count_if(engine.FireBuffer().begin(),
                                              engine.FireBuffer().end(),
                                              [](std::uint8_t v) { return v != 0; }));
    }
};

// Emits for `frames` frames and returns the bounds of the new particles'
// positions, read before anything moves them.
struct Bounds {
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
};
Bounds EmitAndMeasure(Rig& rig, int frames) {
    Bounds b;
    for (int f = 0; f < frames; ++f) {
        const std::int32_t before = rig.engine.NextSlot();
        rig.engine.animPart();
        const std::int32_t after = rig.engine.NextSlot();
        for (std::int32_t s = before + 1; s <= after; ++s) {
            const Particle p = rig.engine.ParticleAt(s);
            EXPECT_EQ(p.x, std::floor(p.x));
            b.minX = std::min(b.minX, p.x);
            b.maxX = std::max(b.maxX, p.x);
            b.minY = std::min(b.minY, p.y);
            b.maxY = std::max(b.maxY, p.y);
        }
    }
    return b;
}

TEST(Emission, LineEmittersCoverTheirRangesNearTheBottom) {
    Rig line("-p 100000 -c 0 360 -n 200 -f 1");
    const Bounds one = EmitAndMeasure(line, 40);
    EXPECT_EQ(one.minX, 5.0f);
    EXPECT_EQ(one.maxX, 318.0f);
    EXPECT_EQ(one.minY, 220.0f);
    EXPECT_EQ(one.maxY, 220.0f);

    Rig wide("-p 100000 -c 0 360 -n 200 -f 3");
    const Bounds three = EmitAndMeasure(wide, 40);
    EXPECT_EQ(three.minX, 25.0f);
    EXPECT_EQ(three.maxX, 298.0f);
    EXPECT_EQ(three.minY, 220.0f);
}

TEST(Emission, PointEmitterSharesOnePointPerFrame) {
    Rig rig("-p 100000 -c 0 360 -n 3 -f 2");
    Bounds all;
    for (int f = 0; f < 3000; ++f) {
        const Bounds b = EmitAndMeasure(rig, 1);
        ASSERT_EQ(b.minX, b.maxX);
        ASSERT_EQ(b.minY, b.maxY);
        ASSERT_EQ(b.minX, static_cast<float>(rig.engine.EmitX()));
        all.minX = std::min(all.minX, b.minX);
        all.maxX = std::max(all.maxX, b.maxX);
        all.minY = std::min(all.minY, b.minY);
        all.maxY = std::max(all.maxY, b.maxY);
    }
    EXPECT_GE(all.minX, 5.0f);
    EXPECT_LE(all.maxX, 318.0f);
    EXPECT_GE(all.minY, 5.0f);
    EXPECT_LE(all.maxY, 238.0f);
    EXPECT_LT(all.minX, 10.0f);
    EXPECT_GT(all.maxX, 313.0f);
    EXPECT_LT(all.minY, 10.0f);
    EXPECT_GT(all.maxY, 233.0f);
}

TEST(Emission, OtherEmitterModesKeepTheLastPoint) {
    Rig rig("-p 1000 -c 0 360 -n 4 -f 0");
    rig.engine.animPart();
    EXPECT_EQ(rig.engine.NextSlot(), 4);
    for (int s = 1; s <= 4; ++s) {
        EXPECT_EQ(rig.engine.ParticleAt(s).x, 0.0f);
        EXPECT_EQ(rig.engine.ParticleAt(s).y, 0.0f);
    }
}

TEST(Emission, CountIsSpawnCountPlusJitterAndNothingBelowOne) {
    Rig exact("-p 100000 -c 0 360 -n 45 -f 1");
    for (int f = 1; f <= 3; ++f) {
        exact.engine.animPart();
        EXPECT_EQ(exact.engine.NextSlot(), 45 * f);
    }
    for (const char* options : {"-p 100 -c 0 360 -n 0 -f 1", "-p 100 -c 0 360 -n -3 -f 1"}) {
        Rig none(options);
        none.engine.animPart();
        EXPECT_EQ(none.engine.NextSlot(), 0) << options;
        EXPECT_EQ(none.engine.ParticleAt(1).x, 1000.0f) << options;
    }
    Rig jitter("-p 100000 -c 0 360 -n 10 -N 5 -f 1");
    int lowest = 100, highest = 0;
    for (int f = 0; f < 300; ++f) {
        const std::int32_t before = jitter.engine.NextSlot();
        jitter.engine.animPart();
        const int count = jitter.engine.NextSlot() - before;
        lowest = std::min(lowest, count);
        highest = std::max(highest, count);
    }
    EXPECT_EQ(lowest, 5);
    EXPECT_EQ(highest, 14);
    // Without -c nothing is emitted at all.
    Rig off("-p 100 -n 50 -f 1");
    off.engine.animPart();
    EXPECT_EQ(off.engine.NextSlot(), 0);
}

TEST(Emission, DirectionSpeedHeatAndCoolingComeFromTheirRanges) {
    Rig rig("-p 100000 -c 180 360 -n 100 -s 2 5 -C 100 150 -d 4 -D 3 -f 1");
    for (int f = 0; f < 20; ++f) rig.engine.animPart();
    const std::int32_t emitted = rig.engine.NextSlot();
    ASSERT_EQ(emitted, 2000);
    for (int frame = 0; frame < 1; ++frame) {
        const std::int32_t before = rig.engine.NextSlot();
        rig.engine.animPart();
        for (std::int32_t s = before + 1; s <= rig.engine.NextSlot(); ++s) {
            const Particle p = rig.engine.ParticleAt(s);
            const float speed = std::hypot(p.vx, p.vy);
            EXPECT_GE(speed, 2.0f - 1e-3f);
            EXPECT_LT(speed, 5.0f + 1e-3f);
            EXPECT_LE(p.vy, 1e-3f * speed);  // 180..359 degrees point up
            EXPECT_GE(p.heat, 100.0f);
            EXPECT_LE(p.heat, 249.0f);
            EXPECT_EQ(p.heat, std::floor(p.heat));
            EXPECT_GE(p.decay, 1.0f);  // Int(r * 6) - 3 + 4
            EXPECT_LE(p.decay, 6.0f);
        }
    }
}

TEST(Emission, AnglesBeyondTheTablesWrapRoundTheCircle) {
    Rig rig("-p 100000 -c 350 450 -n 200 -s 1 1 -f 1");
    for (int f = 0; f < 5; ++f) rig.engine.animPart();
    for (std::int32_t s = 1; s <= rig.engine.NextSlot(); ++s) {
        const Particle p = rig.engine.ParticleAt(s);
        // Only 350..359 and 0..89 degrees: never pointing left.
        ASSERT_GT(p.vx, -0.01f) << s;
    }
}

TEST(Emission, RingWrapsToSlotZeroThenReusesSlotOne) {
    Rig rig("-p 9 -c 0 360 -n 10 -f 1 -g 0");
    rig.engine.animPart();
    EXPECT_EQ(rig.engine.NextSlot(), 0);  // slots 1..9, then 0
    rig.engine.SetParticle(1, {50.0f, 50.0f, 0.0f, 0.0f, 250.0f, 0.0f});
    rig.engine.SetParticle(2, {60.0f, 60.0f, 0.0f, 0.0f, 250.0f, 0.0f});
    FireEngineProbe::Params(rig.engine).spawnCount = 1;
    rig.engine.animPart();
    EXPECT_EQ(rig.engine.NextSlot(), 1);
    EXPECT_EQ(rig.engine.ParticleAt(1).y, 220.0f);  // reborn, hot or not
    EXPECT_EQ(rig.engine.ParticleAt(2).y, 60.0f);
}

TEST(Motion, NewParticlesMoveFromTheNextFrameOn) {
    Rig rig("-p 100 -c 0 360 -n 1 -s 1 2 -g -0.25 -f 1");
    rig.engine.animPart();
    const Particle born = rig.engine.ParticleAt(1);
    EXPECT_EQ(born.y, 220.0f);
    FireEngineProbe::Params(rig.engine).emitEnabled = false;
    rig.engine.animPart();
    const Particle moved = rig.engine.ParticleAt(1);
    EXPECT_EQ(moved.vy, born.vy + -0.25f);
    EXPECT_EQ(moved.x, born.x + born.vx);
    EXPECT_EQ(moved.y, born.y + moved.vy);
}

TEST(Motion, HeatCoolsByDecayButNeverBelowZeroAndStopsBelowOne) {
    Rig rig("-p 3 -g 0");
    rig.engine.SetParticle(0, {10, 10, 0, 0, 5.0f, 2.0f});
    rig.engine.SetParticle(1, {10, 10, 0, 0, 5.0f, 9.0f});
    rig.engine.SetParticle(2, {10, 10, 0, 0, 0.6f, 0.2f});
    rig.engine.SetParticle(3, {10, 10, 0, 0, 1.0f, 0.25f});
    rig.engine.animPart();
    EXPECT_EQ(rig.engine.ParticleAt(0).heat, 3.0f);
    EXPECT_EQ(rig.engine.ParticleAt(1).heat, 0.0f);
    EXPECT_EQ(rig.engine.ParticleAt(2).heat, 0.6f);
    EXPECT_EQ(rig.engine.ParticleAt(3).heat, 0.75f);
    rig.engine.animPart();
    EXPECT_EQ(rig.engine.ParticleAt(3).heat, 0.75f);  // below 1 now: kept for good
}

TEST(DrawPart, PlotsOnlyStrictlyInsideAndRoundsToTheNearestCell) {
    Rig rig("-p 6");
    rig.engine.SetParticle(0, {0.0f, 10.0f, 0, 0, 200, 0});       // x = 0: not plotted
    rig.engine.SetParticle(1, {10.0f, 0.0f, 0, 0, 201, 0});       // y = 0: not plotted
    rig.engine.SetParticle(2, {323.7f, 10.0f, 0, 0, 202, 0});     // into column 324
    rig.engine.SetParticle(3, {324.0f, 20.0f, 0, 0, 203, 0});     // x = W: not plotted
    rig.engine.SetParticle(4, {20.0f, 243.6f, 0, 0, 204, 0});     // into row 244
    rig.engine.SetParticle(5, {0.4f, 30.5f, 0, 0, 205, 0});       // cell (0, 30): half to even
    rig.engine.SetParticle(6, {1000.0f, 1000.0f, 0, 0, 255, 0});  // parked
    rig.engine.DrawPart();
    EXPECT_EQ(rig.At(324, 10), 202);
    EXPECT_EQ(rig.At(20, 244), 204);
    EXPECT_EQ(rig.At(0, 30), 205);
    EXPECT_EQ(rig.Hot(), 3);
}

TEST(DrawPart, HeatRoundsHalfToEvenAndLaterParticlesWin) {
    Rig rig("-p 4");
    rig.engine.SetParticle(0, {10, 10, 0, 0, 0.5f, 0});
    rig.engine.SetParticle(1, {11, 10, 0, 0, 1.5f, 0});
    rig.engine.SetParticle(2, {12, 10, 0, 0, 0.6f, 0});
    rig.engine.SetParticle(3, {13, 10, 0, 0, 99, 0});
    rig.engine.SetParticle(4, {13.2f, 9.8f, 0, 0, 2.5f, 0});
    rig.At(10, 10) = 77;
    rig.engine.DrawPart();
    EXPECT_EQ(rig.At(10, 10), 0);
    EXPECT_EQ(rig.At(11, 10), 2);
    EXPECT_EQ(rig.At(12, 10), 1);
    EXPECT_EQ(rig.At(13, 10), 2);  // replaced, not the maximum
}

TEST(DrawPart, HeatOutsideAByteStopsTheRestOfThatFrame) {
    Rig rig("-p 2");
    rig.engine.SetParticle(0, {10, 10, 0, 0, 100, 0});
    rig.engine.SetParticle(1, {11, 10, 0, 0, 255.6f, 0});
    rig.engine.SetParticle(2, {12, 10, 0, 0, 100, 0});
    rig.engine.DrawPart();
    EXPECT_EQ(rig.At(10, 10), 100);
    EXPECT_EQ(rig.At(11, 10), 0);
    EXPECT_EQ(rig.At(12, 10), 0);
}

TEST(DrawPart, TheStopHoldsWhereverTheBadHeatSits) {
    for (int bad = 0; bad < 11; ++bad) {
        for (const float heat : {-0.6f, 255.5f, 1e30f, std::nanf("")}) {
            Rig rig("-p 10");
            for (int i = 0; i <= 10; ++i) {
                rig.engine.SetParticle(i, {10.0f + i, 20.0f, 0, 0, i == bad ? heat : 50.0f, 0});
            }
            rig.engine.DrawPart();
            for (int i = 0; i <= 10; ++i) {
                ASSERT_EQ(rig.At(10 + i, 20), i < bad ? 50 : 0) << bad << " " << heat << " " << i;
            }
        }
    }
}

TEST(DrawPart, ClearingLeavesTheLastColumnAndRow) {
    Rig rig("-p 0 -r 1");
    std::fill(rig.Buffer().begin(), rig.Buffer().end(), std::uint8_t{9});
    rig.engine.DrawPart();
    EXPECT_EQ(rig.At(0, 0), 0);
    EXPECT_EQ(rig.At(323, 243), 0);
    EXPECT_EQ(rig.At(324, 100), 9);
    EXPECT_EQ(rig.At(100, 244), 9);
    EXPECT_EQ(rig.Hot(), 325 + 244);
}

TEST(AnimWind, BandsEaseBetweenTwoDrawsAndRowTwoFortyStaysStill) {
    Rig rig("-p 5 -w 4");
    rig.engine.SetParticle(0, {50, 240.0f, 0, 0, 0, 0});
    rig.engine.SetParticle(1, {50, 239.6f, 0, 0, 0, 0});  // rounds to 240
    rig.engine.SetParticle(2, {50, -0.1f, 0, 0, 0, 0});   // above row 0
    rig.engine.SetParticle(3, {50, 240.6f, 0, 0, 0, 0});  // below 240
    rig.engine.SetParticle(4, {50, 100.0f, 0, 0, 0, 0});
    rig.engine.SetParticle(5, {50, 0.0f, 0, 0, 0, 0});
    rig.engine.AnimWind();
    const auto& wind = rig.engine.WindTable();
    EXPECT_EQ(wind[240], 0.0f);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(rig.engine.ParticleAt(i).x, 50.0f) << i;
    EXPECT_EQ(rig.engine.ParticleAt(4).x, 50.0f + wind[100]);
    EXPECT_EQ(rig.engine.ParticleAt(5).x, 50.0f + wind[0]);
    bool moved = false;
    for (int k = 0; k < 6; ++k) {
        const float a = wind[static_cast<std::size_t>(k * 40)];
        const float b = wind[static_cast<std::size_t>(k * 40 + 39)];
        EXPECT_LE(std::fabs(a), 2.0f);
        EXPECT_LE(std::fabs(b), 2.0f);
        for (int j = 0; j < 40; ++j) {
            const float v = wind[static_cast<std::size_t>(k * 40 + j)];
            EXPECT_GE(v, std::min(a, b) - 1e-6f);
            EXPECT_LE(v, std::max(a, b) + 1e-6f);
            moved |= v != 0.0f;
        }
        // The middle of a band is the mean of its ends (3t^2 - 2t^3 at t = 1/2
        // is 1/2); t = 20/39 is near enough to check the shape.
        const double t = 20.0 / 39.0;
        EXPECT_NEAR(wind[static_cast<std::size_t>(k * 40 + 20)],
                    a + (b - a) * (3 * t * t - 2 * t * t * t), 1e-5);
    }
    EXPECT_TRUE(moved);
}

TEST(AnimWind, RegeneratesOnlyAfterItsPeriod) {
    Rig rig("-p 0 -w 4");
    rig.now = 5;
    rig.engine.AnimWind();
    const auto first = rig.engine.WindTable();
    rig.now = 5 + 999;
    rig.engine.AnimWind();
    EXPECT_EQ(rig.engine.WindTable(), first);  // periods are 1000..1999 ms
    rig.now = 5 + 1999;
    rig.engine.AnimWind();
    EXPECT_NE(rig.engine.WindTable(), first);
}

TEST(EmitBurst, SparksLeaveTheEmissionPointAtSpeedOneAndKeepTheSlotsDecay) {
    Rig rig("-p 1000 -c 0 360 -n 1 -k 300 -f 2 -d 3");
    rig.engine.animPart();  // slot 1 emitted, decay 3
    const std::int32_t x0 = rig.engine.EmitX(), y0 = rig.engine.EmitY();
    rig.engine.EmitBurst();
    EXPECT_EQ(rig.engine.NextSlot(), 301);
    for (int s = 2; s <= 301; ++s) {
        const Particle p = rig.engine.ParticleAt(s);
        EXPECT_EQ(p.heat, 255.0f);
        EXPECT_NEAR(std::hypot(p.vx, p.vy), 1.0, 1e-3);
        EXPECT_GE(p.x, x0 - 4.0f);
        EXPECT_LE(p.x, x0 + 3.0f);
        EXPECT_EQ(p.y, static_cast<float>(y0));
        EXPECT_EQ(p.decay, 0.0f);  // never used before: such a spark never cools
    }
    // Once round the ring: slot 1 keeps the decay of its emitted particle.
    FireEngineProbe::Params(rig.engine).burstSize = 1000;
    rig.engine.EmitBurst();
    EXPECT_EQ(rig.engine.ParticleAt(1).decay, 3.0f);
    EXPECT_EQ(rig.engine.ParticleAt(1).heat, 255.0f);
}

TEST(Scroll, MovesTheImageUpAndKeepsTheBottomRows) {
    Rig rig("-p 0 -y 3");
    for (int r = 0; r <= 244; ++r)
        for (int c = 0; c <= 324; ++c) rig.At(c, r) = static_cast<std::uint8_t>(r);
    rig.engine.animPart();
    for (int r = 0; r <= 241; ++r) ASSERT_EQ(rig.At(7, r), r + 3) << r;
    for (int r = 242; r <= 244; ++r) ASSERT_EQ(rig.At(7, r), r) << r;
}

TEST(Scroll, OutOfRangeRowCountsDoNotTouchTheBuffer) {
    for (const char* options : {"-p 0 -y -2", "-p 0 -y 500"}) {
        Rig rig(options);
        for (int r = 0; r <= 244; ++r) rig.At(3, r) = static_cast<std::uint8_t>(r);
        rig.engine.animPart();
        for (int r = 0; r <= 244; ++r) ASSERT_EQ(rig.At(3, r), r) << options;
    }
}

TEST(Pool, ParkedParticlesNeverShowAndAnEmptyPoolIsHarmless) {
    Rig parked("-p 50 -w 2 -y 3 -b 2");
    display::MemorySurface back(320, 240, 32);
    for (int f = 0; f < 100; ++f) parked.engine.Frame(back);
    EXPECT_EQ(parked.Hot(), 0);

    Rig empty("-p -5 -c 0 360 -n 10 -k 20 -f 1 -w 1");
    EXPECT_EQ(empty.engine.PoolSize(), 0);
    empty.engine.EmitBurst();
    empty.engine.Frame(back);
    EXPECT_EQ(empty.Hot(), 0);
}

TEST(Load, NoiseFillsColumnByColumnWithZeroTo254) {
    Rnd rnd(4), expected(4);
    FireEngine engine(
        rnd, [] { return 0u; }, 5, 3);
    engine.ParseOptions("");
    engine.AllocateFireBuffer();
    const auto& cells = engine.FireBuffer();
    ASSERT_EQ(cells.size(), 6u * 4u);
    for (int c = 0; c <= 5; ++c) {
        for (int r = 0; r <= 3; ++r) {
            const auto want = static_cast<int>(std::floor(expected.Next() * 255.0));
            EXPECT_EQ(cells[static_cast<std::size_t>(r * 6 + c)], want) << c << "," << r;
        }
    }
}

TEST(Load, UnknownPaletteKindEndsTheProgram) {
    Rnd rnd(1);
    FireEngine engine(rnd, [] { return 0u; });
    EXPECT_FALSE(FireEngineProbe::LoadOptions(engine, "-l 6", 32));
    EXPECT_TRUE(FireEngineProbe::LoadOptions(engine, "-l 5", 32));
    std::int16_t kind = 3;
    EXPECT_TRUE(engine.Load(kind, 0, 16));
    EXPECT_EQ(engine.Params().gravity, -0.05f);
}

TEST(Render, ShowsColumnsFourTo323AndRowsZeroTo239) {
    Rig rig("-l 3");
    for (int r = 0; r <= 244; ++r)
        for (int c = 0; c <= 324; ++c)
            rig.At(c, r) = static_cast<std::uint8_t>((c * 7 + r * 3) & 255);
    display::MemorySurface back(320, 240, 32);
    EXPECT_EQ(rig.engine.render(back), display::BltResult::kCopied);
    const auto pixel = [&back](int x, int y) {
        const std::uint8_t* p = back.Bytes().data() + (y * 320 + x) * 4;
        return static_cast<std::uint32_t>(p[0] | p[1] << 8 | p[2] << 16 | p[3] << 24);
    };
    for (const auto& [x, y] : {std::pair{0, 0}, {319, 0}, {0, 239}, {319, 239}, {100, 50}}) {
        const std::uint32_t v =
            (static_cast<std::uint32_t>(x + 4) * 7 + static_cast<std::uint32_t>(y) * 3) & 255;
        EXPECT_EQ(pixel(x, y), v * 0x010101u) << x << "," << y;
    }
}

TEST(Render, SixteenBitDisplaysGetTheConvertedPalette) {
    Rig rig("");
    rig.engine.ConvertPalette(16);
    rig.At(4 + 10, 20) = 77;  // fire palette 0xFF8100
    display::MemorySurface back(320, 240, 16);
    rig.engine.render(back);
    const std::uint8_t* p = back.Bytes().data() + (20 * 320 + 10) * 2;
    EXPECT_EQ(p[0] | p[1] << 8, 0xFC00);
    Rig wide("");
    wide.At(4 + 10, 20) = 77;
    display::MemorySurface back32(320, 240, 32);
    wide.engine.render(back32);
    const std::uint8_t* q = back32.Bytes().data() + (20 * 320 + 10) * 4;
    EXPECT_EQ(q[0] | q[1] << 8 | q[2] << 16, 0xFF8100);
}

}  // namespace
}  // namespace cindral::fire
