#include "platform/x11/render_presenter.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xpresent.h>
#include <X11/extensions/Xrender.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstring>

#include "platform/x11/errors.h"

namespace cindral::platform::x11 {

namespace {

// Frames dropped in a row before a present that never completes is given up.
constexpr int kMaxDropped = 30;

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
                                       int height, int sourceWidth, int sourceHeight)
    : x_(x),
      window_(window),
      bpp_(bpp),
      width_(width),
      height_(height),
      sourceWidth_(sourceWidth),
      sourceHeight_(sourceHeight) {}

std::unique_ptr<X11RenderPresenter> X11RenderPresenter::Create(::Display* x, unsigned long window,
                                                               void* visual, int depth, int bpp,
                                                               int width, int height, bool vsync,
                                                               int sourceWidth, int sourceHeight) {
    int event = 0, error = 0;
    if (!x || !XRenderQueryExtension(x, &event, &error) || !XShmQueryExtension(x) ||
        sourceWidth <= 0 || sourceHeight <= 0) {
        return nullptr;
    }
    std::unique_ptr<X11RenderPresenter> p(
        new X11RenderPresenter(x, window, bpp, width, height, sourceWidth, sourceHeight));
    if (!p->Open(visual, depth, vsync)) return nullptr;
    return p;
}

bool X11RenderPresenter::Open(void* visual, int depth, bool vsync) {
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
    windowFormat_ = windowFormat;
    windowDepth_ = depth;
    int presentEvent = 0, presentError = 0;
    vsync_ = vsync && XPresentQueryExtension(x_, &presentOpcode_, &presentEvent, &presentError);
    if (vsync_) {
        XPresentSelectInput(x_, window_, PresentCompleteNotifyMask | PresentIdleNotifyMask);
    }

    const int errorsBefore = X11Errors().count;
    upload_ = std::make_unique<Upload>();
    Upload& u = *upload_;
    u.image = XShmCreateImage(x_, nullptr, static_cast<unsigned>(pixmapDepth), ZPixmap, nullptr,
                              &u.segment, sourceWidth_, sourceHeight_);
    if (!u.image || u.image->bits_per_pixel != bpp_) return false;
    u.segment.shmid =
        shmget(IPC_PRIVATE, static_cast<std::size_t>(u.image->bytes_per_line) * sourceHeight_,
               IPC_CREAT | 0600);
    if (u.segment.shmid < 0) return false;
    void* at = shmat(u.segment.shmid, nullptr, 0);
    // The segment goes away once both sides have let go of it.
    shmctl(u.segment.shmid, IPC_RMID, nullptr);
    if (at == reinterpret_cast<void*>(-1)) return false;
    u.segment.shmaddr = u.image->data = static_cast<char*>(at);
    u.segment.readOnly = False;
    XShmAttach(x_, &u.segment);
    pixmap_ =
        XCreatePixmap(x_, window_, sourceWidth_, sourceHeight_, static_cast<unsigned>(pixmapDepth));
    gc_ = XCreateGC(x_, pixmap_, 0, nullptr);
    XRenderPictureAttributes none{};
    windowPicture_ = XRenderCreatePicture(x_, window_, windowFormat, 0, &none);
    windowTarget_.picture = windowPicture_;
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
    for (auto& b : buffers_) {
        XRenderFreePicture(x_, b.picture);
        XFreePixmap(x_, b.pixmap);
    }
    buffers_.clear();
    inFlight_ = false;
    stripsWidth_ = stripsHeight_ = -1;
}

void X11RenderPresenter::Invalidate() {
    windowTarget_.shown.clear();
    // The pixmaps keep what they hold; the window gets it again.
    exposed_ = true;
}

bool X11RenderPresenter::PrepareImage() {
    if (width_ <= 0 || height_ <= 0) return false;
    if (stripsWidth_ == width_ && stripsHeight_ == height_) return true;
    DropPictures();
    columns_ = NearestStrips(sourceWidth_, width_);
    rows_ = NearestStrips(sourceHeight_, height_);
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
    if (vsync_) {
        auto* windowFormat = static_cast<XRenderPictFormat*>(const_cast<void*>(windowFormat_));
        for (int i = 0; i < 2; ++i) {
            Target b;
            b.pixmap =
                XCreatePixmap(x_, window_, static_cast<unsigned>(width_),
                              static_cast<unsigned>(height_), static_cast<unsigned>(windowDepth_));
            XRenderPictureAttributes none{};
            b.picture = XRenderCreatePicture(x_, b.pixmap, windowFormat, 0, &none);
            buffers_.push_back(std::move(b));
        }
    }
    stripsWidth_ = width_;
    stripsHeight_ = height_;
    windowTarget_.shown.clear();
    return true;
}

void X11RenderPresenter::CompositeRows(unsigned long picture, int top, int bottom) {
    for (std::size_t ri = 0; ri < rows_.size(); ++ri) {
        const int from = std::max(top, rows_[ri].first);
        const int to = std::min(bottom, rows_[ri].first + rows_[ri].count);
        if (from >= to) continue;
        for (std::size_t ci = 0; ci < columns_.size(); ++ci) {
            const auto& c = columns_[ci];
            // Source and destination origins alike: the transform maps window
            // coordinates, whatever part of the window is drawn.
            XRenderComposite(x_, PictOpSrc, pictures_[ri * columns_.size() + ci], None, picture,
                             c.first, from, 0, 0, c.first, from, static_cast<unsigned>(c.count),
                             static_cast<unsigned>(to - from));
        }
    }
}

bool X11RenderPresenter::UploadChanged(const display::LockedPixels& px) {
    XImage* img = upload_->image;
    const std::size_t rowBytes = static_cast<std::size_t>(sourceWidth_) * (bpp_ / 8);
    const bool first = previous_.empty();
    previous_.resize(rowBytes * sourceHeight_);
    version_.resize(sourceHeight_);
    int firstChanged = sourceHeight_, lastChanged = -1;
    for (int y = 0; y < sourceHeight_; ++y) {
        const std::uint8_t* row = px.data + static_cast<std::size_t>(y) * px.pitch;
        std::uint8_t* keep = previous_.data() + y * rowBytes;
        if (!first && std::memcmp(row, keep, rowBytes) == 0) continue;
        std::memcpy(keep, row, rowBytes);
        std::memcpy(img->data + static_cast<std::size_t>(y) * img->bytes_per_line, row, rowBytes);
        ++version_[y];
        firstChanged = std::min(firstChanged, y);
        lastChanged = y;
    }
    if (lastChanged < 0) return false;
    XShmPutImage(x_, pixmap_, gc_, img, 0, firstChanged, 0, firstChanged, sourceWidth_,
                 static_cast<unsigned>(lastChanged - firstChanged + 1), False);
    return true;
}

bool X11RenderPresenter::CompositeChanged(Target& to) {
    // A target that shows nothing yet takes every row: versions start at 1.
    if (to.shown.size() != version_.size()) to.shown.assign(version_.size(), 0);
    // Window rows in bands whose source rows changed; the black sky above
    // the flames is not scaled again.
    bool any = false;
    int bandTop = -1;
    for (int y = 0; y <= height_; ++y) {
        const int r = y < height_
                          ? static_cast<int>(static_cast<std::int64_t>(y) * sourceHeight_ / height_)
                          : -1;
        const bool draw = r >= 0 && to.shown[r] != version_[r];
        if (draw && bandTop < 0) bandTop = y;
        if (!draw && bandTop >= 0) {
            CompositeRows(to.picture, bandTop, y);
            bandTop = -1;
            any = true;
        }
    }
    to.shown = version_;
    return any;
}

bool X11RenderPresenter::Present(const display::LockedPixels& px) {
    if (!PrepareImage()) return false;
    if (vsync_ && !buffers_.empty()) return PresentAtVerticalBlank(px);
    UploadChanged(px);
    return CompositeChanged(windowTarget_);
}

bool X11RenderPresenter::PresentAtVerticalBlank(const display::LockedPixels& px) {
    Target* free = nullptr;
    for (auto& b : buffers_) {
        if (b.idle && !free) free = &b;
    }
    if (inFlight_ || !free) {
        // The previous frame is not on the screen yet: this one is dropped
        // rather than queued. A completion that never comes is given up
        // after half a second.
        if (++dropped_ < kMaxDropped) return false;
        inFlight_ = false;
        for (auto& b : buffers_) b.idle = true;
        free = &buffers_.front();
    }
    dropped_ = 0;
    UploadChanged(px);
    if (!CompositeChanged(*free) && !exposed_) return false;
    XPresentPixmap(x_, window_, free->pixmap, ++serial_, None, None, 0, 0, None, None, None,
                   PresentOptionNone, 0, 0, 0, nullptr, 0);
    free->idle = false;
    inFlight_ = true;
    exposed_ = false;
    return true;
}

bool X11RenderPresenter::PresentPending() const {
    if (!vsync_ || buffers_.empty()) return false;
    if (inFlight_) return true;
    return std::none_of(buffers_.begin(), buffers_.end(), [](const Target& b) { return b.idle; });
}

bool X11RenderPresenter::HandleEvent(const void* event) {
    const auto* e = static_cast<const XEvent*>(event);
    if (!vsync_ || e->type != GenericEvent || e->xcookie.extension != presentOpcode_ ||
        !e->xcookie.data) {
        return false;
    }
    if (e->xcookie.evtype == PresentCompleteNotify) {
        const auto* c = static_cast<const XPresentCompleteNotifyEvent*>(e->xcookie.data);
        if (c->window != window_) return false;
        // Only the last present's completion frees the way; an older one
        // (left over from a given-up present) does not.
        if (c->kind == PresentCompleteKindPixmap && c->serial_number == serial_) inFlight_ = false;
        return true;
    }
    if (e->xcookie.evtype == PresentIdleNotify) {
        const auto* i = static_cast<const XPresentIdleNotifyEvent*>(e->xcookie.data);
        if (i->window != window_) return false;
        for (auto& b : buffers_) {
            if (b.pixmap == i->pixmap) b.idle = true;
        }
        return true;
    }
    return false;
}

}  // namespace cindral::platform::x11
