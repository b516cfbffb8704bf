#include "saver/preview_picture.h"

#include <utility>

namespace cindral::saver {

PreviewPicture::PreviewPicture(StillImage still, int width, int height)
    : still_(std::move(still)), width_(width), height_(height) {}

bool PreviewPicture::FollowHost(int width, int height) {
    if (width == width_ && height == height_) return false;
    width_ = width;
    height_ = height;
    return true;
}

StillImage PreviewPicture::Region(int x, int y, int w, int h) const {
    return ScaleNearestRegion(still_, width_, height_, x, y, w, h);
}

}  // namespace cindral::saver
