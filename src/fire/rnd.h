#pragma once
// The program-wide source of `rnd`, and the numeric conventions of the fire.
//
// Arithmetic convention, shared by the engine and everything that must match
// it byte for byte:
// - `rnd` is a float in [0, 1) with 24 bits of resolution, so it converts to
//   double and back exactly.
// - Particle fields, emission values (speed, heat, decay) and wind values are
//   single precision: every operation is float op float, one rounding each.
// - Int(v) is floor; Nearest(v) is round-half-to-even (std::nearbyint under the
//   default rounding mode).
// - Int(rnd * N) for a whole number N is computed in double (exact: 24 bits
//   times a 32-bit integer fits a double's mantissa).
// - BezierPoint runs in double and returns a float; the sine and cosine tables
//   are float(sin(i / 180 * 3.1415)).
// The build disables fused multiply-add contraction, so these hold on every
// compiler and target.

#include <cstdint>

namespace cindral::fire {

class Rnd {
  public:
    static constexpr std::uint64_t kDefaultSeed = 0x853c49e6748fea9bULL;

    Rnd() { Seed(kDefaultSeed); }
    explicit Rnd(std::uint64_t seed) { Seed(seed); }

    void Seed(std::uint64_t seed);
    // Uniform in [0, 1), a multiple of 2^-24.
    float Next();
    // The raw 32-bit output (PCG32, XSH-RR).
    std::uint32_t NextBits();

  private:
    std::uint64_t state_ = 0;
};

// The one generator the whole program draws from.
Rnd& ProgramRnd();

}  // namespace cindral::fire
