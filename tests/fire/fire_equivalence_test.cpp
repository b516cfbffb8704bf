// The production engine against the plain transcription: heat buffer and
// rendered pixels must match byte for byte after every frame.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "display/memory_surface.h"
#include "fire/fire_engine.h"
#include "fire/fire_engine_probe.h"
#include "oracle/fire_oracle.h"
#include "scenario.h"

namespace cindral::fire::test_support {
namespace {

using display::MemorySurface;

std::vector<Scenario> Scenarios() {
    std::vector<Scenario> list;
    for (std::int16_t k = 0; k < 8; ++k) list.push_back({"Preset" + std::to_string(k), k, "", 600});
    list.push_back({"EmptyOptions", 9, "", 600});
    // Paths no preset takes: jitter, heat range, cooling jitter, clearing,
    // a turned emission cone, the random emitter and a non-fire palette.
    list.push_back({"JitterAndClear", 0,
                    "-b 2 -g -0.1 -w 1.5 -p 3000 -k 50 -y 2 -c 190 160 -n 30 -N 10 -s 1 3 "
                    "-f 2 -d 4 -D 3 -C 100 150 -r 1 -l 1",
                    300});
    list.push_back({"GreyNoEmitter", 0, "-b 3 -w 0.7 -p 800 -k 30 -l 3 -c 0 360 -n 5 -f 0", 300});
    list.push_back({"Palette2", 0, "-b 1 -l 2 -c 180 181 -n 20 -f 1 -y 1", 150});
    list.push_back({"Palette5", 0, "-b 1 -l 5 -c 180 181 -n 20 -f 3 -y 4", 150});
    return list;
}

class FireEquivalence : public ::testing::TestWithParam<Scenario> {};

TEST_P(FireEquivalence, ProductionMatchesOracleEveryFrame) {
    const Scenario& s = GetParam();
    ScriptedClock clock;
    const auto tick = [&clock] { return clock.Now(); };
    Rnd oracleRnd(kSeed), rnd32(kSeed), rnd16(kSeed);
    oracle::FireOracle reference(oracleRnd, tick);
    FireEngine engine32(rnd32, tick);
    FireEngine engine16(rnd16, tick);

    std::int16_t k1 = s.kind, k2 = s.kind, k3 = s.kind;
    if (s.options.empty()) {
        ASSERT_TRUE(reference.Load(k1, 0, 32));
        ASSERT_TRUE(engine32.Load(k2, 0, 32));
        ASSERT_TRUE(engine16.Load(k3, 0, 16));
    } else {
        ASSERT_TRUE(reference.LoadOptions(s.options, 32));
        ASSERT_TRUE(FireEngineProbe::LoadOptions(engine32, s.options, 32));
        ASSERT_TRUE(FireEngineProbe::LoadOptions(engine16, s.options, 16));
    }
    ASSERT_EQ(reference.FireBuffer(), engine32.FireBuffer()) << "noise differs";

    // The oracle's 16-bit picture: its own buffer through its own 5-6-5 palette.
    display::Palette palette565 = reference.Palette();
    for (auto& c : palette565) c = oracle::OracleColorTo565(c);
    ASSERT_EQ(palette565, engine16.Palette());

    constexpr int w = display::kBackWidth, h = display::kBackHeight;
    MemorySurface ref32(w, h, 32), ref16(w, h, 16), out32(w, h, 32), out16(w, h, 16);
    RunScripted(
        s, clock,
        [&] {
            reference.Frame(ref32);
            engine32.Frame(out32);
            engine16.Frame(out16);
        },
        [&] {
            reference.EmitBurst();
            engine32.EmitBurst();
            engine16.EmitBurst();
        },
        [&](int frame) {
            display::BltRect rect{4, 0, 328, 244};
            oracle::OracleBltArray({reference.FireBuffer().data(), 324, 244}, palette565, 0, 0,
                                   rect, ref16);
            ASSERT_EQ(reference.FireBuffer(), engine32.FireBuffer()) << "frame " << frame;
            ASSERT_EQ(reference.FireBuffer(), engine16.FireBuffer()) << "frame " << frame;
            ASSERT_EQ(ref32.Bytes(), out32.Bytes()) << "frame " << frame;
            ASSERT_EQ(ref16.Bytes(), out16.Bytes()) << "frame " << frame;
        });
    // The particles too, not only what they left in the buffer.
    ASSERT_EQ(static_cast<int>(reference.Particles().size()), engine32.PoolSize());
    for (int i = 0; i < engine32.PoolSize(); ++i) {
        ASSERT_EQ(reference.Particles()[static_cast<std::size_t>(i)], engine32.ParticleAt(i))
            << "particle " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(AllKinds, FireEquivalence, ::testing::ValuesIn(Scenarios()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace cindral::fire::test_support
