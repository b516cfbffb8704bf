#pragma once
// The preview as every platform shows it: it covers the host's whole area and
// follows it, so a host that changes size shows the still picture scaled anew
// to its new size. Only the part being drawn is scaled: a huge host costs only
// what shows.

#include "saver/still.h"

namespace cindral::saver {

class PreviewPicture {
  public:
    PreviewPicture(StillImage still, int width, int height);

    // The host now measures width x height. True when that differs from the
    // preview's size: the preview then takes it and is drawn anew, whole.
    bool FollowHost(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    const StillImage& Still() const { return still_; }

    // The picture at the preview's size, the part at (x, y) of w x h clipped
    // to it (ScaleNearestRegion).
    StillImage Region(int x, int y, int w, int h) const;

  private:
    StillImage still_;
    int width_;
    int height_;
};

}  // namespace cindral::saver
