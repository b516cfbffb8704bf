#include "platform/linux/saver/x11_hack_display.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace cindral::platform::linux {

namespace {

// Protocol errors arrive later than the request that caused them; the window
// being destroyed under the program is the one that matters.
struct ErrorRecord {
    int count = 0;
    XID resource = 0;
    unsigned char code = 0;
};
ErrorRecord g_errors;

int RecordError(::Display*, XErrorEvent* e) {
    ++g_errors.count;
    g_errors.resource = e->resourceid;
    g_errors.code = e->error_code;
    return 0;
}

std::string Hex(std::uint32_t id) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", id);
    return text;
}

// Bits per pixel of the back surface for a window of this visual and depth:
// 16 for 5-6-5, 32 for 0x00RRGGBB; 0 when the fire cannot be shown in it.
int BitsFor(const Visual* v, int depth) {
    if (v->c_class != TrueColor) return 0;
    if (depth == 16 && v->red_mask == 0xf800 && v->green_mask == 0x07e0 && v->blue_mask == 0x1f) {
        return 16;
    }
    if ((depth == 24 || depth == 32) && v->red_mask == 0xff0000 && v->green_mask == 0xff00 &&
        v->blue_mask == 0xff) {
        return 32;
    }
    return 0;
}

}  // namespace

struct X11HackDisplay::Image {
    XImage* image = nullptr;
    XShmSegmentInfo segment{};
    bool shared = false;
};

X11HackDisplay::X11HackDisplay()
    : back_(std::make_unique<display::MemorySurface>(kBackWidth, kBackHeight, 32)) {}

X11HackDisplay::~X11HackDisplay() {
    Unload();
    if (x_) XCloseDisplay(x_);
}

bool X11HackDisplay::Open(bool root, std::uint32_t id, std::string& error) {
    x_ = XOpenDisplay(nullptr);
    if (!x_) {
        const char* name = std::getenv("DISPLAY");
        error = std::string("cannot open the X display '") + (name ? name : "") + "'";
        return false;
    }
    XSetErrorHandler(RecordError);
    window_ = root ? DefaultRootWindow(x_) : static_cast<Window>(id);
    const std::string name = root ? "the root window" : "window " + Hex(id);
    XWindowAttributes attr{};
    if (!XGetWindowAttributes(x_, window_, &attr)) {
        error = name + " does not exist";
        return false;
    }
    visual_ = attr.visual;
    depth_ = attr.depth;
    bpp_ = BitsFor(attr.visual, depth_);
    if (bpp_ == 0) {
        error = name + " has a pixel format the fire cannot be drawn in (depth " +
                std::to_string(depth_) + ")";
        return false;
    }
    // Size changes, exposures and destruction only: input stays with whoever
    // owns the window.
    const int errorsBefore = g_errors.count;
    XSelectInput(x_, window_, StructureNotifyMask | ExposureMask);
    if (!XGetWindowAttributes(x_, window_, &attr) || g_errors.count != errorsBefore) {
        error = name + " disappeared";
        return false;
    }
    width_ = attr.width;
    height_ = attr.height;
    gc_ = XCreateGC(x_, window_, 0, nullptr);
    return true;
}

bool X11HackDisplay::InitDisplay() {
    if (!x_ || bpp_ == 0) return false;
    back_ = std::make_unique<display::MemorySurface>(kBackWidth, kBackHeight, bpp_);
    scaler_ = std::make_unique<FrameScaler>(kBackWidth, kBackHeight, bpp_ / 8);
    return MakeImage();
}

bool X11HackDisplay::MakeImage() {
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
            const int errorsBefore = g_errors.count;
            if (img->segment.shmaddr) {
                img->image->data = img->segment.shmaddr;
                img->segment.readOnly = False;
                XShmAttach(x_, &img->segment);
                XSync(x_, False);
            }
            // The segment goes away once both sides have let go of it.
            if (img->segment.shmid >= 0) shmctl(img->segment.shmid, IPC_RMID, nullptr);
            img->shared = img->segment.shmaddr && g_errors.count == errorsBefore;
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
    if (img->image->bits_per_pixel != bpp_ || !img->image->data) {
        image_ = std::move(img);
        DropImage();
        return false;
    }
    shm_ = img->shared;
    image_ = std::move(img);
    scaler_->Invalidate();
    return true;
}

void X11HackDisplay::DropImage() {
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

void X11HackDisplay::PresentFrame() {
    if (!x_ || gone_ || width_ <= 0 || height_ <= 0) return;
    if (!image_ || image_->image->width != width_ || image_->image->height != height_) {
        DropImage();
        if (!MakeImage()) return;
    }
    display::LockedPixels px;
    if (!back_->Lock(px)) return;
    XImage* img = image_->image;
    std::vector<RowSpan> rows =
        scaler_->Scale(px.data, px.pitch, reinterpret_cast<std::uint8_t*>(img->data),
                       img->bytes_per_line, width_, height_);
    back_->Unlock();
    for (const auto& r : rows) {
        if (image_->shared) {
            XShmPutImage(x_, window_, gc_, img, 0, r.first, 0, r.first, width_, r.count, False);
        } else {
            XPutImage(x_, window_, gc_, img, 0, r.first, 0, r.first, width_, r.count);
        }
    }
    // The server has read the shared pixels before the next frame writes them.
    if (!rows.empty()) XSync(x_, False);
    NoteWindowError();
}

void X11HackDisplay::Unload() {
    if (!x_) return;
    DropImage();
    if (gc_) XFreeGC(x_, gc_);
    gc_ = nullptr;
    XFlush(x_);
}

int X11HackDisplay::ConnectionFd() const { return x_ ? ConnectionNumber(x_) : -1; }

void X11HackDisplay::NoteWindowError() {
    if (g_errors.resource == window_ &&
        (g_errors.code == BadWindow || g_errors.code == BadDrawable)) {
        gone_ = true;
    }
}

bool X11HackDisplay::ServeEvents() {
    if (!x_) return false;
    while (!gone_ && XPending(x_)) {
        XEvent e;
        XNextEvent(x_, &e);
        switch (e.type) {
            case ConfigureNotify:
                if (e.xconfigure.window == window_) {
                    width_ = e.xconfigure.width;
                    height_ = e.xconfigure.height;
                }
                break;
            case Expose:
                if (e.xexpose.count == 0 && scaler_) scaler_->Invalidate();
                break;
            case DestroyNotify:
                if (e.xdestroywindow.window == window_) gone_ = true;
                break;
            default:
                break;
        }
    }
    NoteWindowError();
    return !gone_;
}

}  // namespace cindral::platform::linux
