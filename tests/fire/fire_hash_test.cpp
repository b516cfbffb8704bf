// One digest of the production fire over the scripted runs of every kind, so
// that builds for different targets can be compared by a single printed line.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "display/memory_surface.h"
#include "fire/fire_engine.h"
#include "scenario.h"

namespace cindral::fire::test_support {
namespace {

struct Fnv1a64 {
    std::uint64_t value = 0xcbf29ce484222325ULL;
    void Add(const std::vector<std::uint8_t>& bytes) {
        for (const std::uint8_t b : bytes) {
            value ^= b;
            value *= 0x100000001b3ULL;
        }
    }
};

TEST(FireHash, PrintsDigest) {
    Fnv1a64 digest;
    for (const int depth : {32, 16}) {
        for (std::int16_t kind = 0; kind <= 9; ++kind) {
            if (kind == 8) continue;  // the random kind depends on the clock
            ScriptedClock clock;
            Rnd rnd(kSeed);
            FireEngine engine(rnd, [&clock] { return clock.Now(); });
            std::int16_t k = kind;
            ASSERT_TRUE(engine.Load(k, 0, depth));
            display::MemorySurface back(display::kBackWidth, display::kBackHeight, depth);
            const Scenario s{"", kind, "", 600};
            RunScripted(
                s, clock, [&] { engine.Frame(back); }, [&] { engine.EmitBurst(); },
                [&](int frame) {
                    if (depth == 32) digest.Add(engine.FireBuffer());
                    if (frame % 25 == 0) digest.Add(back.Bytes());
                });
        }
    }
    std::printf("fire-hash: %016llx\n", static_cast<unsigned long long>(digest.value));
    std::fflush(stdout);
}

}  // namespace
}  // namespace cindral::fire::test_support
