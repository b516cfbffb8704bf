#include "settings_window/pictures.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "display/memory_surface.h"
#include "fire/fire_engine.h"
#include "fire/rnd.h"
#include "fire/scripted_frames.h"

namespace cindral::settings_window {
namespace {

constexpr std::uint64_t kPreviewSeed = 4711;
constexpr int kPreviewFrames = 90;
constexpr std::uint32_t kOpaque = 0xFF000000u;

constexpr std::uint32_t Argb(int r, int g, int b, int a = 255) {
    return static_cast<std::uint32_t>(a) << 24 | static_cast<std::uint32_t>(r) << 16 |
           static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b);
}

int Clamp255(double v) { return static_cast<int>(std::lrint(std::clamp(v, 0.0, 255.0))); }

Image Blank(Size size, std::uint32_t fill) {
    return {size.width, size.height,
            std::vector<std::uint32_t>(static_cast<std::size_t>(size.width) * size.height, fill)};
}

// The fraction of pixel (x, y) within `radius` of the marker's centre, from
// 4 x 4 samples, so the circles have smooth edges.
double DiscCoverage(int x, int y, double radius) {
    const double centre = kMarkerSize.width / 2.0;
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
            const double dx = x + (sx + 0.5) / 4 - centre, dy = y + (sy + 0.5) / 4 - centre;
            inside += dx * dx + dy * dy <= radius * radius;
        }
    }
    return inside / 16.0;
}

struct Layer {
    double radius;
    int r, g, b;
};

Image Marker(bool on) {
    // Panel grey, a dark ring, a white well and, when on, a red centre.
    const Layer layers[] = {{6.4, 96, 96, 104}, {5.2, 255, 255, 255}, {3.2, 222, 16, 16}};
    Image img = Blank(kMarkerSize, 0);
    for (int y = 0; y < img.height; ++y) {
        for (int x = 0; x < img.width; ++x) {
            double r = 197, g = 194, b = 193;
            for (std::size_t i = 0; i < (on ? 3u : 2u); ++i) {
                const double a = DiscCoverage(x, y, layers[i].radius);
                r += (layers[i].r - r) * a;
                g += (layers[i].g - g) * a;
                b += (layers[i].b - b) * a;
            }
            img.pixels[static_cast<std::size_t>(y) * img.width + x] =
                Argb(Clamp255(r), Clamp255(g), Clamp255(b));
        }
    }
    return img;
}

}  // namespace

Image FirePreview(std::int16_t kind) {
    fire::Rnd rnd(kPreviewSeed);
    fire::ScriptedClock clock;
    fire::FireEngine engine(rnd, [&clock] { return clock.Now(); });
    Image out = Blank(kPreviewSize, kOpaque);
    display::MemorySurface back(display::kBackWidth, display::kBackHeight, 32);
    if (!fire::LoadAndRunFrames(engine, clock, kind, 0, back, kPreviewFrames)) return out;
    // Each preview pixel averages a 4 x 4 block of the shown area.
    const std::uint8_t* shown = back.Bytes().data();
    const int bx = back.Width() / out.width, by = back.Height() / out.height;
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            int sum[3] = {0, 0, 0};
            for (int sy = 0; sy < by; ++sy) {
                for (int sx = 0; sx < bx; ++sx) {
                    const std::uint8_t* p =
                        shown +
                        (static_cast<std::size_t>(y * by + sy) * back.Width() + x * bx + sx) * 4;
                    for (int c = 0; c < 3; ++c) sum[c] += p[c];  // blue, green, red
                }
            }
            const int n = bx * by;
            out.pixels[static_cast<std::size_t>(y) * out.width + x] =
                Argb(sum[2] / n, sum[1] / n, sum[0] / n);
        }
    }
    return out;
}

std::array<Image, 8> FirePreviews() {
    std::array<Image, 8> previews;
    for (std::int16_t kind = 0; kind < 8; ++kind) previews[kind] = FirePreview(kind);
    return previews;
}

Image MarkerOff() { return Marker(false); }
Image MarkerOn() { return Marker(true); }

Image TextureTile() {
    // Each row carries its own shade and a slow wave along x: streaks. The
    // generator's raw output is fixed by the standard, so the tile is the same
    // everywhere.
    std::mt19937 gen(197194193u);
    const auto uniform = [&gen](double lo, double hi) {
        return lo + (hi - lo) * static_cast<double>(gen()) / 4294967296.0;
    };
    std::vector<double> shade(static_cast<std::size_t>(kTextureTile.width) * kTextureTile.height);
    constexpr int kKnot = 16;
    for (int y = 0; y < kTextureTile.height; ++y) {
        const double rowShade = uniform(-9.0, 9.0);
        std::vector<double> knots(kTextureTile.width / kKnot + 2);
        for (double& k : knots) k = uniform(-4.0, 4.0);
        for (int x = 0; x < kTextureTile.width; ++x) {
            const double t = static_cast<double>(x % kKnot) / kKnot;
            const double wave = knots[x / kKnot] * (1 - t) + knots[x / kKnot + 1] * t;
            shade[static_cast<std::size_t>(y) * kTextureTile.width + x] =
                rowShade + wave + uniform(-1.5, 1.5);
        }
    }
    double mean = 0;
    for (double s : shade) mean += s;
    mean /= static_cast<double>(shade.size());

    Image tile = Blank(kTextureTile, 0);
    for (std::size_t i = 0; i < shade.size(); ++i) {
        const double s = shade[i] - mean;
        tile.pixels[i] = Argb(Clamp255(197 + s), Clamp255(194 + s), Clamp255(193 + s));
    }
    return tile;
}

Image WindowIcon() {
    Image icon = Blank(kIconSize, 0);
    for (int y = 0; y < icon.height; ++y) {
        for (int x = 0; x < icon.width; ++x) {
            const double u = (x + 0.5 - 16.0) / 16.0;  // -1 .. 1, left to right
            const double v = (y + 0.5) / 32.0;         // 0 top .. 1 bottom
            // Rounded square of dark red-black.
            const double cx = std::max(std::fabs(u) - 0.75, 0.0),
                         cy = std::max(std::fabs(v * 2 - 1) - 0.75, 0.0);
            if (cx * cx + cy * cy > 0.0625) continue;
            // A flame: pointed at the top, widest low down, round at the base.
            const double f = (v - 0.08) / 0.84;  // 0 at the tip .. 1 at the base
            double halfWidth = -1.0;
            if (f >= 0.0 && f <= 1.0) {
                halfWidth = f < 0.7 ? 0.62 * std::pow(f / 0.7, 0.8)
                                    : 0.62 * std::sqrt(1.0 - std::pow((f - 0.7) / 0.3, 2));
            }
            const double heat = halfWidth > 0 ? 1.0 - std::fabs(u) / halfWidth : -1.0;
            std::uint32_t colour = Argb(40, 6, 4);
            if (heat > 0.0) {
                const double h = heat * (0.5 + 0.5 * f);  // hotter near the base
                colour = Argb(Clamp255(200 + 55 * h), Clamp255(std::max(0.0, 340 * h - 60)),
                              Clamp255(std::max(0.0, 400 * h - 280)));
            }
            icon.pixels[static_cast<std::size_t>(y) * icon.width + x] = colour;
        }
    }
    return icon;
}

}  // namespace cindral::settings_window
