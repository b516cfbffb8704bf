#include "platform/wayland/shm_buffers.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

namespace cindral::platform::wayland {

namespace {

void OnRelease(void* data, wl_buffer*) { static_cast<ShmBuffers::Buffer*>(data)->busy = false; }
const wl_buffer_listener kBufferListener{OnRelease};

}  // namespace

ShmBuffers::~ShmBuffers() { Release(); }

void ShmBuffers::Release() {
    for (auto& b : buffers_) {
        if (b.buffer) wl_buffer_destroy(b.buffer);
        b = Buffer{};
    }
    if (pool_) wl_shm_pool_destroy(pool_);
    pool_ = nullptr;
    if (memory_) munmap(memory_, size_);
    memory_ = nullptr;
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    width_ = height_ = 0;
}

bool ShmBuffers::Allocate(wl_shm* shm, int width, int height) {
    Release();
    if (!shm || width <= 0 || height <= 0) return false;
    const std::size_t one = static_cast<std::size_t>(width) * height * 4;
    size_ = one * 2;
    fd_ = memfd_create("cindral-frame", MFD_CLOEXEC);
    if (fd_ < 0 || ftruncate(fd_, static_cast<off_t>(size_)) != 0) {
        Release();
        return false;
    }
    memory_ = mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, 0);
    if (memory_ == MAP_FAILED) {
        memory_ = nullptr;
        Release();
        return false;
    }
    pool_ = wl_shm_create_pool(shm, fd_, static_cast<std::int32_t>(size_));
    for (int i = 0; i < 2; ++i) {
        Buffer& b = buffers_[i];
        b.pixels = static_cast<std::uint8_t*>(memory_) + one * i;
        b.buffer = wl_shm_pool_create_buffer(pool_, static_cast<std::int32_t>(one * i), width,
                                             height, width * 4, WL_SHM_FORMAT_XRGB8888);
        wl_buffer_add_listener(b.buffer, &kBufferListener, &b);
    }
    width_ = width;
    height_ = height;
    return true;
}

ShmBuffers::Buffer* ShmBuffers::Acquire() {
    for (auto& b : buffers_) {
        if (b.buffer && !b.busy) {
            b.busy = true;
            return &b;
        }
    }
    return nullptr;
}

}  // namespace cindral::platform::wayland
