#pragma once
// A surface in ordinary memory: tests, still pictures, benchmarks.

#include <cstdint>
#include <vector>

#include "display/ports.h"

namespace cindral::display {

class MemorySurface final : public Surface {
  public:
    MemorySurface(int width, int height, int bitsPerPixel)
        : width_(width),
          height_(height),
          bpp_(bitsPerPixel),
          pixels_(static_cast<std::size_t>(width) * height * (bitsPerPixel / 8)) {}
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    int BitsPerPixel() const override { return bpp_; }
    bool Lock(LockedPixels& out) override {
        out.data = pixels_.data();
        out.pitch = width_ * (bpp_ / 8);
        return true;
    }
    void Unlock() override {}
    const std::vector<std::uint8_t>& Bytes() const { return pixels_; }

  private:
    int width_, height_, bpp_;
    std::vector<std::uint8_t> pixels_;
};

}  // namespace cindral::display
