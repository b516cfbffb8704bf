#include "saver/still.h"

#include <algorithm>
#include <cstring>

#include "display/memory_surface.h"
#include "fire/fire_engine.h"
#include "fire/scripted_frames.h"

namespace cindral::saver {

namespace {

constexpr int kStillFrames = 90;            // 1.5 s of fire: the flames have risen
constexpr std::uint64_t kStillSeed = 4711;  // same picture at every start

// Area average of the source pixels under each destination pixel.
StillImage Shrink(const StillImage& src, int w, int h) {
    StillImage out{w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w) * h)};
    for (int y = 0; y < h; ++y) {
        int y0 = y * src.height / h, y1 = std::max(y0 + 1, (y + 1) * src.height / h);
        for (int x = 0; x < w; ++x) {
            int x0 = x * src.width / w, x1 = std::max(x0 + 1, (x + 1) * src.width / w);
            std::uint32_t r = 0, g = 0, b = 0, n = 0;
            for (int sy = y0; sy < y1; ++sy) {
                for (int sx = x0; sx < x1; ++sx) {
                    std::uint32_t p = src.pixels[static_cast<std::size_t>(sy) * src.width + sx];
                    r += (p >> 16) & 0xFF;
                    g += (p >> 8) & 0xFF;
                    b += p & 0xFF;
                    ++n;
                }
            }
            out.pixels[static_cast<std::size_t>(y) * w + x] = (r / n) << 16 | (g / n) << 8 | b / n;
        }
    }
    return out;
}

}  // namespace

StillImage RenderPreviewStill() {
    fire::Rnd rnd(kStillSeed);
    fire::ScriptedClock clock;
    fire::FireEngine engine(rnd, [&clock] { return clock.Now(); });
    display::MemorySurface back(display::kBackWidth, display::kBackHeight, 32);
    if (!fire::LoadAndRunFrames(engine, clock, 0, 0, back, kStillFrames)) return {};
    StillImage full{back.Width(), back.Height(),
                    std::vector<std::uint32_t>(back.Bytes().size() / 4)};
    std::memcpy(full.pixels.data(), back.Bytes().data(), back.Bytes().size());
    return Shrink(full, kStillWidth, kStillHeight);
}

}  // namespace cindral::saver
