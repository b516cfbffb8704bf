#pragma once
// The display ports: an off-screen image in the desktop's pixel format that
// the fire is copied into each frame, and the display device that stretches
// it over the saver window.

#include <cstdint>

namespace cindral::display {

// The back surface the fire is drawn into: the shown part of the fire, which
// the display stretches over each saver window.
inline constexpr int kBackWidth = 320;
inline constexpr int kBackHeight = 240;

// Pixels of a locked surface: rows of `pitch` bytes, 2 bytes a pixel at 16 bits
// per pixel (5-6-5), 4 bytes (0x00RRGGBB) at 32.
struct LockedPixels {
    std::uint8_t* data = nullptr;
    int pitch = 0;
};

// An image in the desktop's pixel format that can be locked for writing.
class Surface {
  public:
    virtual ~Surface() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual int BitsPerPixel() const = 0;
    // Locked pixels may be write-only (a streaming texture): whoever locks
    // writes every pixel it wants to see.
    virtual bool Lock(LockedPixels& out) = 0;
    virtual void Unlock() = 0;
};

// The display device of the saver window: set up once, then one stretched
// copy of the back surface over the window per frame. The display mode is
// never changed.
class Display {
  public:
    virtual ~Display() = default;
    // Creates the device and the kBackWidth x kBackHeight back surface in the desktop's pixel
    // format and reads the desktop's mode. False when that failed; the back
    // surface then still exists (in memory) so frames can be computed.
    virtual bool InitDisplay() = 0;
    // Bits per pixel of the desktop mode read by InitDisplay (0 before).
    virtual int DisplayBitsPerPixel() const = 0;
    virtual Surface& BackSurface() = 0;
    // Stretches the whole back surface over the saver window(s).
    virtual void PresentFrame() = 0;
    // True while the frame last presented waits for the display's vertical
    // blank (no new frame can be shown before); the frame loop then starts
    // the next frame once it is shown. A display that does not wait: false.
    virtual bool PresentPending() const { return false; }
};

}  // namespace cindral::display
