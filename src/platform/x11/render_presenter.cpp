#include "platform/x11/render_presenter.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xrender.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstring>

#include "platform/x11/errors.h"

namespace cindral::platform::x11 {

namespace {

constexpr int kW = display::kBackWidth;
constexpr int kH = display::kBackHeight;

bool ScreenHasDepth(::Display* x, int depth) {
    int count = 0;
    int* depths = XListDepths(x, DefaultScreen(x), &count);
    const bool has = depths && std::find(depths, depths + count, depth) != depths + count;
    if (depths) XFree(depths);
    return has;
}

}  // namespace

// The shared image the surface is copied into, put into the pixmap.
struct X11RenderPresenter::Upload {
    XImage* image = nullptr;
    XShmSegmentInfo segment{};
    bool attached = false;
};

X11RenderPresenter::X11RenderPresenter(::Display* x, unsigned long window, int bpp, int width,
                                       int height)
    : x_(x), window_(window), bpp_(bpp), width_(width), height_(height) {}

std::unique_ptr<X11RenderPresenter> X11RenderPresenter::Create(::Display* x, unsigned long window,
                                                               void* visual, int depth, int bpp,
                                                               int width, int height) {
    int event = 0, error = 0;
    if (!x || !XRenderQueryExtension(x, &event, &error) || !XShmQueryExtension(x)) return nullptr;
    std::unique_ptr<X11RenderPresenter> p(new X11RenderPresenter(x, window, bpp, width, height));
    if (!p->Open(visual, depth)) return nullptr;
    return p;
}

bool X11RenderPresenter::Open(void* visual, int depth) {
    XRenderPictFormat* windowFormat = XRenderFindVisualFormat(x_, static_cast<Visual*>(visual));
    if (!windowFormat) return false;
    // 5-6-5 surfaces only come with 5-6-5 windows: the pixmap takes the
    // window's format. 0x00RRGGBB goes into a 24-bit pixmap, converted by
    // RENDER into whatever the window holds (30 bits, 5-5-5, with alpha).
    const int pixmapDepth = bpp_ == 16 ? depth : 24;
    const XRenderPictFormat* format =
        bpp_ == 16 ? windowFormat : XRenderFindStandardFormat(x_, PictStandardRGB24);
    if (!format || !ScreenHasDepth(x_, pixmapDepth)) return false;
    sourceFormat_ = format;

    const int errorsBefore = X11Errors().count;
    upload_ = std::make_unique<Upload>();
    Upload& u = *upload_;
    u.image = XShmCreateImage(x_, nullptr, static_cast<unsigned>(pixmapDepth), ZPixmap, nullptr,
                              &u.segment, kW, kH);
    if (!u.image || u.image->bits_per_pixel != bpp_) return false;
    u.segment.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(u.image->bytes_per_line) * kH,
                             IPC_CREAT | 0600);
    if (u.segment.shmid < 0) return false;
    void* at = shmat(u.segment.shmid, nullptr, 0);
    // The segment goes away once both sides have let go of it.
    shmctl(u.segment.shmid, IPC_RMID, nullptr);
    if (at == reinterpret_cast<void*>(-1)) return false;
    u.segment.shmaddr = u.image->data = static_cast<char*>(at);
    u.segment.readOnly = False;
    XShmAttach(x_, &u.segment);
    pixmap_ = XCreatePixmap(x_, window_, kW, kH, static_cast<unsigned>(pixmapDepth));
    gc_ = XCreateGC(x_, pixmap_, 0, nullptr);
    XRenderPictureAttributes none{};
    windowPicture_ = XRenderCreatePicture(x_, window_, windowFormat, 0, &none);
    XSync(x_, False);
    // A server on another machine refuses the segment: the stretch on this
    // side then sends ordinary images instead.
    u.attached = X11Errors().count == errorsBefore;
    return u.attached;
}

X11RenderPresenter::~X11RenderPresenter() {
    DropPictures();
    if (windowPicture_) XRenderFreePicture(x_, windowPicture_);
    if (gc_) XFreeGC(x_, gc_);
    if (pixmap_) XFreePixmap(x_, pixmap_);
    if (upload_ && upload_->image) {
        if (upload_->attached) XShmDetach(x_, &upload_->segment);
        XSync(x_, False);
        if (upload_->segment.shmaddr) shmdt(upload_->segment.shmaddr);
        upload_->image->data = nullptr;
        XDestroyImage(upload_->image);
    }
}

void X11RenderPresenter::Resize(int width, int height) {
    width_ = width;
    height_ = height;
}

void X11RenderPresenter::DropPictures() {
    for (unsigned long p : pictures_) XRenderFreePicture(x_, p);
    pictures_.clear();
    stripsWidth_ = stripsHeight_ = -1;
}

bool X11RenderPresenter::PrepareImage() {
    if (width_ <= 0 || height_ <= 0) return false;
    if (stripsWidth_ == width_ && stripsHeight_ == height_) return true;
    DropPictures();
    columns_ = NearestStrips(kW, width_);
    rows_ = NearestStrips(kH, height_);
    auto* format = static_cast<XRenderPictFormat*>(const_cast<void*>(sourceFormat_));
    for (const auto& r : rows_) {
        for (const auto& c : columns_) {
            XRenderPictureAttributes none{};
            const Picture picture = XRenderCreatePicture(x_, pixmap_, format, 0, &none);
            XTransform t{{{c.scale, 0, c.offset}, {0, r.scale, r.offset}, {0, 0, 1 << 16}}};
            XRenderSetPictureTransform(x_, picture, &t);
            XRenderSetPictureFilter(x_, picture, FilterNearest, nullptr, 0);
            pictures_.push_back(picture);
        }
    }
    stripsWidth_ = width_;
    stripsHeight_ = height_;
    full_ = true;
    return true;
}

void X11RenderPresenter::CompositeRows(int top, int bottom) {
    for (std::size_t ri = 0; ri < rows_.size(); ++ri) {
        const int from = std::max(top, rows_[ri].first);
        const int to = std::min(bottom, rows_[ri].first + rows_[ri].count);
        if (from >= to) continue;
        for (std::size_t ci = 0; ci < columns_.size(); ++ci) {
            const auto& c = columns_[ci];
            // Source and destination origins alike: the transform maps window
            // coordinates, whatever part of the window is drawn.
            XRenderComposite(x_, PictOpSrc, pictures_[ri * columns_.size() + ci], None,
                             windowPicture_, c.first, from, 0, 0, c.first, from,
                             static_cast<unsigned>(c.count), static_cast<unsigned>(to - from));
        }
    }
}

bool X11RenderPresenter::Present(const display::LockedPixels& px) {
    if (!PrepareImage()) return false;
    XImage* img = upload_->image;
    const std::size_t rowBytes = static_cast<std::size_t>(kW) * (bpp_ / 8);
    previous_.resize(rowBytes * kH);
    std::vector<bool> changed(kH);
    int firstChanged = kH, lastChanged = -1;
    for (int y = 0; y < kH; ++y) {
        const std::uint8_t* row = px.data + static_cast<std::size_t>(y) * px.pitch;
        std::uint8_t* keep = previous_.data() + y * rowBytes;
        if (!full_ && std::memcmp(row, keep, rowBytes) == 0) continue;
        std::memcpy(keep, row, rowBytes);
        std::memcpy(img->data + static_cast<std::size_t>(y) * img->bytes_per_line, row, rowBytes);
        changed[y] = true;
        firstChanged = std::min(firstChanged, y);
        lastChanged = y;
    }
    full_ = false;
    if (lastChanged < 0) return false;
    XShmPutImage(x_, pixmap_, gc_, img, 0, firstChanged, 0, firstChanged, kW,
                 static_cast<unsigned>(lastChanged - firstChanged + 1), False);
    // Window rows in bands whose source rows changed; the black sky above
    // the flames is not scaled again.
    int bandTop = -1;
    for (int y = 0; y <= height_; ++y) {
        const bool draw = y < height_ && changed[static_cast<std::int64_t>(y) * kH / height_];
        if (draw && bandTop < 0) bandTop = y;
        if (!draw && bandTop >= 0) {
            CompositeRows(bandTop, y);
            bandTop = -1;
        }
    }
    return true;
}

}  // namespace cindral::platform::x11
