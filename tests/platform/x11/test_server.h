#pragma once
// A private Xvfb for the X11 adapter tests, with a connection of the
// program's (the one the adapters use) and one of an onlooker that reads
// back what the server shows. Monitors side by side are RandR monitors of one
// screen, which the server also reports as Xinerama heads.

// GoogleTest before Xlib, whose None macro would break it.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
// clang-format on

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "e2e_support.h"

namespace cindral::platform::x11::test_support {

class X11ServerTest : public ::testing::Test {
  protected:
    void TearDown() override { Stop(); }

    // Starts a server of `depth` with one monitor per size, left to right
    // and top-aligned (more than one: as many RandR monitors); false when
    // none starts.
    bool Start(const std::vector<std::pair<int, int>>& sizes, int depth,
               const std::vector<std::string>& serverArgs = {}) {
        Stop();
        int width = 0, height = 0;
        for (const auto& [w, h] : sizes) {
            width += w;
            height = std::max(height, h);
        }
        if (auto x = e2e::XServer::Xvfb(width, height, depth, false, serverArgs)) {
            server_.emplace(std::move(*x));
        }
        if (!server_) return false;
        onlooker_ = XOpenDisplay(server_->Name().c_str());
        if (!onlooker_) return false;
        if (sizes.size() > 1) {
            // The first monitor takes the server's one output, whose own
            // monitor (the whole screen) then goes.
            XRRScreenResources* res =
                XRRGetScreenResources(onlooker_, DefaultRootWindow(onlooker_));
            if (!res || res->noutput < 1) return false;
            const RROutput output = res->outputs[0];
            XRRFreeScreenResources(res);
            int left = 0;
            for (std::size_t i = 0; i < sizes.size(); ++i) {
                XRRMonitorInfo* m = XRRAllocateMonitor(onlooker_, i == 0 ? 1 : 0);
                if (i == 0) m->outputs[0] = output;
                m->name = XInternAtom(onlooker_, ("HEAD" + std::to_string(i)).c_str(), False);
                m->x = left;
                m->y = 0;
                m->width = sizes[i].first;
                m->height = sizes[i].second;
                m->mwidth = sizes[i].first / 4;  // 0.25 mm pixels
                m->mheight = sizes[i].second / 4;
                XRRSetMonitor(onlooker_, DefaultRootWindow(onlooker_), m);
                XRRFreeMonitors(m);
                left += sizes[i].first;
            }
            XSync(onlooker_, False);
        }
        program_ = XOpenDisplay(server_->Name().c_str());
        return program_ != nullptr;
    }

    void Stop() {
        if (program_) XCloseDisplay(program_);
        if (onlooker_) XCloseDisplay(onlooker_);
        program_ = onlooker_ = nullptr;
        server_.reset();
    }

    // 0x00RRGGBB of a pixel of `window` as the onlooker sees it.
    std::uint32_t PixelAt(unsigned long window, int x, int y) {
        XImage* img = XGetImage(onlooker_, window, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!img) return 0xFFFFFFFFu;
        const unsigned long p = XGetPixel(img, 0, 0);
        const auto channel = [p](unsigned long mask) {
            int shift = 0;
            while (mask && !(mask & 1)) {
                mask >>= 1;
                ++shift;
            }
            const unsigned long v = (p >> shift) & mask;
            return static_cast<std::uint32_t>(mask ? v * 255 / mask : 0);
        };
        const std::uint32_t rgb = (channel(img->red_mask) << 16) | (channel(img->green_mask) << 8) |
                                  channel(img->blue_mask);
        XDestroyImage(img);
        return rgb;
    }

    std::optional<e2e::XServer> server_;
    ::Display* program_ = nullptr;
    ::Display* onlooker_ = nullptr;
};

}  // namespace cindral::platform::x11::test_support
