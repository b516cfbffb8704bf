// The preview window: the still scaled to the host's size shows the same
// source pixel at every window pixel whether the server scales it (RENDER)
// or it is stretched here, on 16- and 24-bit desktops and at sizes whose
// block edges fall unevenly.

#include "platform/x11/preview.h"

// The server helper brings GoogleTest, which must come before Xlib.
// clang-format off
#include "test_server.h"
// clang-format on

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>

#include "display/color565.h"
#include "saver/still.h"

namespace cindral::platform::x11 {
namespace {

using namespace std::chrono_literals;

// Every source pixel a colour of its own.
saver::StillImage Pattern() {
    saver::StillImage s{saver::kStillWidth, saver::kStillHeight, {}};
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
            s.pixels.push_back(static_cast<std::uint32_t>((x * 1.6) + 8) << 16 |
                               static_cast<std::uint32_t>(y * 2 + 8) << 8 |
                               static_cast<std::uint32_t>((x * 7 + y * 3) & 0xFF));
        }
    }
    return s;
}

class PreviewTest : public test_support::X11ServerTest {
  protected:
    // Window pixels that differ from the whole-pixel stretch of the pattern.
    int WrongPixels(unsigned long host, int w, int h, int depth) {
        const saver::StillImage want = saver::ScaleNearest(Pattern(), w, h);
        XImage* img = XGetImage(onlooker_, host, 0, 0, w, h, AllPlanes, ZPixmap);
        if (!img) return w * h;
        int bad = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const std::uint32_t rgb = want.pixels[static_cast<std::size_t>(y) * w + x];
                const unsigned long raw = depth == 16 ? display::ColorTo565(rgb) : rgb;
                bad += (XGetPixel(img, x, y) & 0xFFFFFF) != raw;
            }
        }
        XDestroyImage(img);
        return bad;
    }
};

TEST_F(PreviewTest, ShowsTheWholePixelStretchOfTheStillOnEveryPath) {
    struct Case {
        const char* what;
        int depth;
        std::vector<std::string> serverArgs;
        int w, h;
        const char* path;
    };
    const std::vector<Case> cases = {
        {"24-bit, the server scales", 24, {}, 333, 177, "xrender"},
        {"16-bit, the server scales", 16, {}, 203, 151, "xrender"},
        {"larger than the still's blocks divide", 24, {}, 1366, 768, "xrender"},
        {"no RENDER: stretched here", 24, {"-extension", "RENDER"}, 333, 177, "ximage"},
        {"no MIT-SHM: stretched here", 16, {"-extension", "MIT-SHM"}, 203, 151, "ximage"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(Start({{1400, 800}}, c.depth, c.serverArgs));
        XSetWindowAttributes attr{};
        attr.override_redirect = True;
        const Window host =
            XCreateWindow(onlooker_, DefaultRootWindow(onlooker_), 0, 0, c.w, c.h, 0,
                          CopyFromParent, InputOutput, CopyFromParent, CWOverrideRedirect, &attr);
        XMapRaised(onlooker_, host);
        XSync(onlooker_, False);

        std::mutex m;
        std::string path;
        std::atomic<int> status{-1};
        std::thread preview([&] {
            status = RunPreview(program_, static_cast<std::uint32_t>(host), Pattern,
                                [&](const std::string& p) {
                                    std::lock_guard<std::mutex> lock(m);
                                    path = p;
                                });
        });
        int bad = -1;
        for (int i = 0; i < 40 && bad != 0; ++i) {
            std::this_thread::sleep_for(50ms);
            bool drawn = false;
            {
                std::lock_guard<std::mutex> lock(m);
                drawn = !path.empty();
            }
            if (drawn) bad = WrongPixels(host, c.w, c.h, c.depth);
        }
        EXPECT_EQ(bad, 0);
        {
            std::lock_guard<std::mutex> lock(m);
            EXPECT_EQ(path, c.path);
        }
        XDestroyWindow(onlooker_, host);  // the preview ends with its host
        XSync(onlooker_, False);
        preview.join();
        EXPECT_EQ(status, 0);
        Stop();
    }
}

}  // namespace
}  // namespace cindral::platform::x11
