#pragma once
// The fire: particles plotted into an 8-bit heat buffer that scrolls up, is
// blurred against a zeroed border and is shown through a 256-colour palette.
//
// Numbers follow the convention in fire/rnd.h. Beyond it, the engine keeps
// every index in range whatever the parameters: an emission angle outside
// 0..360 wraps into 0..359, a negative scroll does not scroll, a negative
// particle count gives an empty pool, and a heat that does not round into
// 0..255 stops that frame's plotting.

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "display/blt_array.h"
#include "display/fire_palette.h"
#include "display/ports.h"
#include "fire/fire_options.h"
#include "fire/particle.h"
#include "fire/rnd.h"

namespace cindral::fire {

class FireEngine {
  public:
    FireEngine(Rnd& rnd, std::function<std::uint32_t()> tickMs, int W = 324, int H = 244);

    // The fire's share of the saver window's load step; the saver calls them in
    // this order, with its own steps in between.
    void ChooseAndParse(std::int16_t& fireKind, int secondsSinceMidnight);  // step 1
    void ParseOptions(std::string_view options);   // step 1 with a given option string
    void AllocateParticles();                      // step 2
    bool InitPalette();                            // step 4 (initpal); false: end the program
    void AllocateFireBuffer();                     // step 5: noise, column by column
    void ConvertPalette(int displayBitsPerPixel);  // step 6: PaletteTo565 when 16
    void InitParticles();                          // step 10: Initpart, then InitTrigo
    // Steps 1, 2, 4, 5, 6, 10 in order. false: end the program.
    bool Load(std::int16_t& fireKind, int secondsSinceMidnight, int displayBitsPerPixel);

    // One frame: animPart, AnimWind (when windEnabled), DrawPart, vbClearEdge,
    // vbBlurImg x blurPasses, render into `back`. Presenting is the caller's.
    void Frame(display::Surface& back);
    void EmitBurst();  // burst timer tick, between frames

    // The steps of a frame, one by one.
    void Initpart();
    void InitTrigo();
    void animPart();
    void AnimWind();
    void DrawPart();
    void ClearEdge();
    void BlurOnce();
    display::BltResult render(display::Surface& back);

    const FireParams& Params() const { return params_; }
    int W() const { return W_; }
    int H() const { return H_; }
    const std::vector<std::uint8_t>& FireBuffer() const { return buffer_; }
    display::ByteGrid FireGrid() const { return {buffer_.data(), W_, H_}; }
    const display::Palette& Palette() const { return palette_; }

    int PoolSize() const { return static_cast<int>(x_.size()); }
    Particle ParticleAt(int i) const;
    void SetParticle(int i, const Particle& p);
    std::int32_t NextSlot() const { return nextSlot_; }
    std::int32_t EmitX() const { return emitX_; }
    std::int32_t EmitY() const { return emitY_; }
    const std::array<float, 241>& WindTable() const { return wind_; }

  private:
    // The tests' way into the state the steps share (tests/fire/fire_engine_probe.h).
    friend struct FireEngineProbe;

    // The load steps that follow the parse (2, 4, 5, 6 and 10).
    bool BuildParsedFire(int displayBitsPerPixel);
    std::int32_t AdvanceSlot();
    void Move();
    void Emit();
    void Scroll();

    Rnd& rnd_;
    std::function<std::uint32_t()> tickMs_;
    int W_, H_;
    FireParams params_;
    // Particles as structure of arrays, so motion runs four at a time.
    std::vector<float> x_, y_, vx_, vy_, heat_, decay_;
    std::int32_t nextSlot_ = 0;
    std::int32_t emitX_ = 0, emitY_ = 0;
    std::array<float, 361> sin_{}, cos_{};
    std::array<float, 241> wind_{};
    std::uint32_t windLastTick_ = 0, windPeriod_ = 0;
    std::vector<std::uint8_t> buffer_;
    display::Palette palette_{};
};

}  // namespace cindral::fire
