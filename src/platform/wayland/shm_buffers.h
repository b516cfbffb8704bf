#pragma once
// Two wl_shm buffers of one size in one memory file: the client draws into
// the one the compositor has released while the compositor reads the other.

#include <cstdint>

struct wl_buffer;
struct wl_shm;
struct wl_shm_pool;

namespace cindral::platform::wayland {

class ShmBuffers {
  public:
    struct Buffer {
        wl_buffer* buffer = nullptr;
        std::uint8_t* pixels = nullptr;
        bool busy = false;  // attached and not yet released by the compositor
    };

    ShmBuffers() = default;
    ~ShmBuffers();
    ShmBuffers(const ShmBuffers&) = delete;
    ShmBuffers& operator=(const ShmBuffers&) = delete;

    // XRGB8888 buffers of `width` x `height`; the old ones go. False when the
    // memory cannot be had.
    bool Allocate(wl_shm* shm, int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Pitch() const { return width_ * 4; }
    // A buffer the compositor is not reading, marked busy; null when both are.
    Buffer* Acquire();

  private:
    void Release();

    Buffer buffers_[2];
    wl_shm_pool* pool_ = nullptr;
    void* memory_ = nullptr;
    std::size_t size_ = 0;
    int fd_ = -1;
    int width_ = 0, height_ = 0;
};

}  // namespace cindral::platform::wayland
