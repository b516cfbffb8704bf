#pragma once
// What the saver window drives: the fire engine, the music player, its own
// platform window, a clock and the platform's event queue. Each is a small
// port so the saver logic runs unchanged over real adapters and over recording
// fakes; a platform shell implements SaverHost, LocalTime and EventPump (and
// the display and system ports) and leaves every decision to the core.

#include <cstdint>

#include "display/ports.h"

namespace cindral::saver {

// The keys the saver tells apart: the arrows step through CD tracks, every
// other key ends the saver.
enum class Key { Other, Left, Right };

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
    // Whether CD polling goes on: the result of the latest poll that has
    // finished (a player that queues its calls may not have run the last one
    // yet).
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
    virtual std::uint32_t TickMs() = 0;  // monotonic milliseconds (wrapping)
    virtual std::int64_t TickUs() = 0;   // monotonic microseconds, for frame pacing
    virtual int SecondsSinceMidnight() = 0;
};

// The wall-clock time of day, which only the platform's calendar knows.
class LocalTime {
  public:
    virtual ~LocalTime() = default;
    // Seconds since local midnight, 0 to 86399 (86400 in a leap second).
    virtual int SecondsSinceMidnight() = 0;
};

// The input the saver reacts to, as a platform shell delivers it.
class SaverInput {
  public:
    virtual ~SaverInput() = default;
    // A key went down.
    virtual void KeyDown(Key key) = 0;
    virtual void MouseDown() = 0;  // any button; movement is no input
    // The session is ending or the desktop closed a saver window.
    virtual void EndSaver() = 0;
};

// The platform's event queue as the frame loop uses it between frames.
class EventPump {
  public:
    virtual ~EventPump() = default;
    // Waits until an event arrives or `timeoutMs` milliseconds have passed
    // (0: does not wait), then hands every queued event to `input`, oldest
    // first, and returns.
    virtual void WaitAndDispatch(std::uint32_t timeoutMs, SaverInput& input) = 0;
    // True once the system asked the saver to stop (a termination signal).
    virtual bool StopRequested() = 0;
};

}  // namespace cindral::saver
