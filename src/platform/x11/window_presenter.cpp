#include "platform/x11/window_presenter.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdlib>
#include <vector>

#include "platform/x11/errors.h"

namespace cindral::platform::x11 {

namespace {

bool Is555(const Visual* v, int depth) {
    return depth == 15 && v->red_mask == 0x7c00 && v->green_mask == 0x03e0 && v->blue_mask == 0x1f;
}

bool Is101010(const Visual* v, int depth) {
    return depth == 30 && v->red_mask == 0x3ff00000 && v->green_mask == 0x000ffc00 &&
           v->blue_mask == 0x3ff;
}

// 8 bits to 10 by repeating the top bits: 0xFF stays full, 0 stays black.
std::uint32_t Widen(std::uint32_t c8) { return (c8 << 2) | (c8 >> 6); }

}  // namespace

int BackSurfaceBitsFor(const void* visual, int depth) {
    const auto* v = static_cast<const Visual*>(visual);
    if (v->c_class != TrueColor) return 0;
    if (depth == 16 && v->red_mask == 0xf800 && v->green_mask == 0x07e0 && v->blue_mask == 0x1f) {
        return 16;
    }
    if (Is555(v, depth) || Is101010(v, depth)) return 32;
    if ((depth == 24 || depth == 32) && v->red_mask == 0xff0000 && v->green_mask == 0xff00 &&
        v->blue_mask == 0xff) {
        return 32;
    }
    return 0;
}

struct X11WindowPresenter::Image {
    XImage* image = nullptr;
    XShmSegmentInfo segment{};
    bool shared = false;
};

X11WindowPresenter::X11WindowPresenter(::Display* x, unsigned long window, void* visual, int depth,
                                       int bpp, int width, int height)
    : x_(x),
      window_(window),
      visual_(visual),
      depth_(depth),
      bpp_(bpp),
      width_(width),
      height_(height),
      gc_(XCreateGC(x, window, 0, nullptr)),
      scaler_(display::kBackWidth, display::kBackHeight,
              Is555(static_cast<Visual*>(visual), depth) ? 2 : bpp / 8) {
    if (Is555(static_cast<Visual*>(visual), depth)) packing_ = Packing::k555;
    if (Is101010(static_cast<Visual*>(visual), depth)) packing_ = Packing::k101010;
    if (packing_ != Packing::kNone) {
        packed_.resize(static_cast<std::size_t>(display::kBackWidth) * display::kBackHeight);
    }
}

X11WindowPresenter::~X11WindowPresenter() {
    DropImage();
    if (gc_) XFreeGC(x_, gc_);
}

void X11WindowPresenter::Resize(int width, int height) {
    width_ = width;
    height_ = height;
}

std::string X11WindowPresenter::PathName() const {
    return image_ && image_->shared ? "xshm" : "ximage";
}

bool X11WindowPresenter::MakeImage() {
    auto img = std::make_unique<Image>();
    if (XShmQueryExtension(x_)) {
        img->image = XShmCreateImage(x_, static_cast<Visual*>(visual_), depth_, ZPixmap, nullptr,
                                     &img->segment, width_, height_);
        if (img->image) {
            img->segment.shmid =
                shmget(IPC_PRIVATE, static_cast<std::size_t>(img->image->bytes_per_line) * height_,
                       IPC_CREAT | 0600);
            img->segment.shmaddr = img->segment.shmid < 0
                                       ? nullptr
                                       : static_cast<char*>(shmat(img->segment.shmid, nullptr, 0));
            if (img->segment.shmaddr == reinterpret_cast<char*>(-1)) img->segment.shmaddr = nullptr;
            const int errorsBefore = X11Errors().count;
            if (img->segment.shmaddr) {
                img->image->data = img->segment.shmaddr;
                img->segment.readOnly = False;
                XShmAttach(x_, &img->segment);
                XSync(x_, False);
            }
            // The segment goes away once both sides have let go of it.
            if (img->segment.shmid >= 0) shmctl(img->segment.shmid, IPC_RMID, nullptr);
            img->shared = img->segment.shmaddr && X11Errors().count == errorsBefore;
            if (!img->shared) {
                if (img->segment.shmaddr) shmdt(img->segment.shmaddr);
                img->image->data = nullptr;
                XDestroyImage(img->image);
                img->image = nullptr;
            }
        }
    }
    if (!img->image) {
        // A server on another machine: ordinary images over the connection.
        img->image = XCreateImage(x_, static_cast<Visual*>(visual_), depth_, ZPixmap, 0, nullptr,
                                  width_, height_, 32, 0);
        if (!img->image) return false;
        img->image->data = static_cast<char*>(
            std::calloc(static_cast<std::size_t>(img->image->bytes_per_line) * height_, 1));
    }
    image_ = std::move(img);
    const int imageBits = packing_ == Packing::k555 ? 16 : bpp_;
    if (image_->image->bits_per_pixel != imageBits || !image_->image->data) {
        DropImage();
        return false;
    }
    scaler_.Invalidate();
    return true;
}

void X11WindowPresenter::DropImage() {
    if (!image_) return;
    if (image_->shared) {
        XShmDetach(x_, &image_->segment);
        XSync(x_, False);
        shmdt(image_->segment.shmaddr);
        image_->image->data = nullptr;
    }
    if (image_->image) XDestroyImage(image_->image);  // frees ordinary pixels too
    image_.reset();
}

bool X11WindowPresenter::PrepareImage() {
    if (image_ && image_->image->width == width_ && image_->image->height == height_) return true;
    DropImage();
    return MakeImage();
}

bool X11WindowPresenter::Present(const display::LockedPixels& px) {
    if (width_ <= 0 || height_ <= 0 || !PrepareImage()) return false;
    const std::uint8_t* source = px.data;
    int sourcePitch = px.pitch;
    if (packing_ != Packing::kNone) {
        // 5-5-5 pixels are packed two to a word of packed_'s rows.
        auto* out16 = reinterpret_cast<std::uint16_t*>(packed_.data());
        for (int y = 0; y < display::kBackHeight; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(px.data + y * px.pitch);
            for (int x = 0; x < display::kBackWidth; ++x) {
                const std::uint32_t c = row[x];
                const std::size_t i = static_cast<std::size_t>(y) * display::kBackWidth + x;
                if (packing_ == Packing::k555) {
                    out16[i] = static_cast<std::uint16_t>(((c >> 9) & 0x7c00) |
                                                          ((c >> 6) & 0x03e0) | ((c >> 3) & 0x1f));
                } else {
                    packed_[i] = (Widen((c >> 16) & 0xff) << 20) | (Widen((c >> 8) & 0xff) << 10) |
                                 Widen(c & 0xff);
                }
            }
        }
        source = reinterpret_cast<const std::uint8_t*>(packed_.data());
        sourcePitch = display::kBackWidth * (packing_ == Packing::k555 ? 2 : 4);
    }
    XImage* img = image_->image;
    std::vector<RowSpan> rows =
        scaler_.Scale(source, sourcePitch, reinterpret_cast<std::uint8_t*>(img->data),
                      img->bytes_per_line, width_, height_);
    for (const auto& r : rows) {
        if (image_->shared) {
            XShmPutImage(x_, window_, gc_, img, 0, r.first, 0, r.first, width_, r.count, False);
        } else {
            XPutImage(x_, window_, gc_, img, 0, r.first, 0, r.first, width_, r.count);
        }
    }
    return !rows.empty();
}

}  // namespace cindral::platform::x11
