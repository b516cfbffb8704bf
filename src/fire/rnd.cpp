#include "fire/rnd.h"

namespace cindral::fire {

namespace {
constexpr std::uint64_t kMultiplier = 6364136223846793005ULL;
constexpr std::uint64_t kIncrement = 1442695040888963407ULL;  // odd: full period
}  // namespace

void Rnd::Seed(std::uint64_t seed) {
    state_ = 0;
    NextBits();
    state_ += seed;
    NextBits();
}

std::uint32_t Rnd::NextBits() {
    const std::uint64_t old = state_;
    state_ = old * kMultiplier + kIncrement;
    const auto xorshifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
    const auto rot = static_cast<std::uint32_t>(old >> 59u);
    return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
}

float Rnd::Next() { return static_cast<float>(NextBits() >> 8) * (1.0f / 16777216.0f); }

Rnd& ProgramRnd() {
    static Rnd instance;
    return instance;
}

}  // namespace cindral::fire
