#pragma once
// The display device of the saver window: set up once, then one stretched
// copy of the back surface over the window per frame. The display mode is
// never changed.

#include "display/surface.h"

namespace cindral::display {

class Display {
  public:
    virtual ~Display() = default;
    // Creates the device and the 320 x 240 back surface in the desktop's pixel
    // format and reads the desktop's mode. False when that failed; the back
    // surface then still exists (in memory) so frames can be computed.
    virtual bool InitDisplay() = 0;
    // Bits per pixel of the desktop mode read by InitDisplay (0 before).
    virtual int DisplayBitsPerPixel() const = 0;
    virtual Surface& BackSurface() = 0;
    // Stretches the whole back surface over the saver window(s).
    virtual void PresentFrame() = 0;
};

}  // namespace cindral::display
