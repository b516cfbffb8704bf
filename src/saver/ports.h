#pragma once
// What the saver window drives: the fire engine, the music player, its own
// platform window and a clock. Each is a small port so the saver logic runs
// unchanged over real adapters and over recording fakes.

#include <cstdint>

#include "display/ports.h"

namespace cindral::saver {

// The fire engine's steps in the order the load step and the frame loop use.
class SaverFire {
  public:
    virtual ~SaverFire() = default;
    virtual void ChooseAndParse(std::int16_t& fireKind, int secondsSinceMidnight) = 0;
    virtual void AllocateParticles() = 0;
    virtual bool InitPalette() = 0;  // false: the palette kind is unknown, end the program
    virtual void AllocateFireBuffer() = 0;
    virtual void ConvertPalette(int displayBitsPerPixel) = 0;
    virtual void InitParticles() = 0;
    // animPart .. render into `back`; presenting is the caller's.
    virtual void Frame(display::Surface& back) = 0;
    virtual void EmitBurst() = 0;
};

class SaverMusic {
  public:
    virtual ~SaverMusic() = default;
    virtual void CdOpen() = 0;
    virtual void CdPoll() = 0;
    virtual bool CdAlive() = 0;
    virtual void CdPrevTrack() = 0;
    virtual void CdNextTrack() = 0;
    virtual void CdStopClose() = 0;
    virtual void Mp3OpenPlay() = 0;
    virtual void Mp3Repeat() = 0;
    virtual void Mp3StopClose() = 0;
    virtual void WavPlay() = 0;
    virtual void WavStop() = 0;
};

// The saver's platform window(s).
class SaverHost {
  public:
    virtual ~SaverHost() = default;
    // Normal state, shown, topmost without taking activation.
    virtual void ShowTopmost() = 0;
    virtual void Unload() = 0;
    virtual std::uintptr_t Handle() const = 0;
};

class SaverClock {
  public:
    virtual ~SaverClock() = default;
    virtual std::uint32_t TickMs() = 0;  // monotonic milliseconds
    virtual int SecondsSinceMidnight() = 0;
};

}  // namespace cindral::saver
