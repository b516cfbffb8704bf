#pragma once
// The display port: an off-screen image in the desktop's pixel format that the
// fire is copied into each frame, and the device that stretches it over the
// saver window.

#include <cstdint>
#include <vector>

namespace cindral::display {

// Pixels of a locked surface: rows of `pitch` bytes, 2 bytes a pixel at 16 bits
// per pixel (5-6-5), 4 bytes (0x00RRGGBB) at 32.
struct LockedPixels {
    std::uint8_t* data = nullptr;
    int pitch = 0;
};

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

// A surface in ordinary memory: tests, still pictures, benchmarks.
class MemorySurface final : public Surface {
public:
    MemorySurface(int width, int height, int bitsPerPixel)
        : width_(width), height_(height), bpp_(bitsPerPixel),
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
