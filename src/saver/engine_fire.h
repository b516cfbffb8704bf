#pragma once
// The fire engine as the saver window drives it.

#include "fire/fire_engine.h"
#include "saver/ports.h"

namespace cindral::saver {

class EngineSaverFire final : public SaverFire {
  public:
    explicit EngineSaverFire(fire::FireEngine& engine) : engine_(engine) {}
    void ChooseAndParse(std::int16_t& kind, int seconds) override {
        engine_.ChooseAndParse(kind, seconds);
    }
    void AllocateParticles() override { engine_.AllocateParticles(); }
    bool InitPalette() override { return engine_.InitPalette(); }
    void AllocateFireBuffer() override { engine_.AllocateFireBuffer(); }
    void ConvertPalette(int bpp) override { engine_.ConvertPalette(bpp); }
    void InitParticles() override { engine_.InitParticles(); }
    void Frame(display::Surface& back) override { engine_.Frame(back); }
    void EmitBurst() override { engine_.EmitBurst(); }

  private:
    fire::FireEngine& engine_;
};

}  // namespace cindral::saver
