#pragma once
// The fire engine transcribed one statement at a time: particles as records,
// the heat buffer as a 2-D array, every loop in the documented order. Same
// shape as the production engine, which must match it byte for byte.

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "display/ports.h"
#include "fire/fire_options.h"
#include "fire/particle.h"
#include "fire/rnd.h"
#include "oracle/oracle_filters.h"

namespace cindral::oracle {

class FireOracle {
  public:
    FireOracle(fire::Rnd& rnd, std::function<std::uint32_t()> tickMs, int W = 324, int H = 244);

    void ChooseAndParse(std::int16_t& fireKind, int secondsSinceMidnight);
    void ParseOptions(std::string_view options);
    void AllocateParticles();
    bool InitPalette();
    void AllocateFireBuffer();
    void ConvertPalette(int displayBitsPerPixel);
    void InitParticles();
    bool Load(std::int16_t& fireKind, int secondsSinceMidnight, int displayBitsPerPixel);
    bool LoadOptions(std::string_view options, int displayBitsPerPixel);

    void Frame(display::Surface& back);
    void EmitBurst();

    void Initpart();
    void InitTrigo();
    void animPart();
    void AnimWind();
    void DrawPart();
    void ClearEdge();
    void BlurOnce();
    display::BltResult render(display::Surface& back);

    const fire::FireParams& Params() const { return params_; }
    const std::vector<std::uint8_t>& FireBuffer() const { return fb_.cells; }
    std::vector<std::uint8_t>& MutableFireBuffer() { return fb_.cells; }
    const display::Palette& Palette() const { return palette_; }
    const std::vector<fire::Particle>& Particles() const { return particles_; }

  private:
    // The load steps that follow the parse (2, 4, 5, 6 and 10).
    bool BuildParsedFire(int displayBitsPerPixel);
    fire::Rnd& rnd_;
    std::function<std::uint32_t()> tickMs_;
    int W_, H_;
    fire::FireParams params_;
    std::vector<fire::Particle> particles_;
    std::int32_t nextSlot_ = 0;
    std::int32_t emitX_ = 0, emitY_ = 0;
    float sinTable_[361] = {};
    float cosTable_[361] = {};
    float windTable_[241] = {};
    std::uint32_t windLastTick_ = 0, windPeriod_ = 0;
    HeatGrid fb_;
    display::Palette palette_{};
};

}  // namespace cindral::oracle
