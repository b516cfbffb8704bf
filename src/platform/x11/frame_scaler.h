#pragma once
// Stretches the back surface over a window's frame buffer by whole
// pixels (display/whole_pixel_stretch.h). Only the
// destination rows whose source row changed since the previous frame are
// written and reported, so the display server copies less; the black sky above
// the flames costs nothing after the first frame.

#include <cstdint>
#include <vector>

namespace cindral::platform::x11 {

struct RowSpan {
    int first = 0;  // first destination row
    int count = 0;  // rows
    bool operator==(const RowSpan&) const = default;
};

class FrameScaler {
  public:
    // `bytesPerPixel` is 2 or 4, the same in source and destination.
    FrameScaler(int sourceWidth, int sourceHeight, int bytesPerPixel);

    // The next Scale writes every row (a new or exposed window).
    void Invalidate() { full_ = true; }

    // Returns the destination rows written, as spans in top-to-bottom order.
    std::vector<RowSpan> Scale(const std::uint8_t* source, int sourcePitch, std::uint8_t* dest,
                               int destPitch, int destWidth, int destHeight);

  private:
    int sw_, sh_, bpp_;
    bool full_ = true;
    int mappedWidth_ = -1, mappedHeight_ = -1;
    std::vector<std::uint8_t> previous_;  // the source as last scaled
};

}  // namespace cindral::platform::x11
