#include "button/picture_ops.h"

#include <algorithm>

namespace cindral::button {

Picture ScalePicture(const Picture& pic, int w, int h) {
    Picture out;
    out.isIcon = pic.isIcon;
    if (w <= 0 || h <= 0 || !IsUsable(pic)) return out;
    out.width = w;
    out.height = h;
    out.pixels.resize(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const int sy = static_cast<int>(static_cast<long long>(y) * pic.height / h);
        for (int x = 0; x < w; ++x) {
            const int sx = static_cast<int>(static_cast<long long>(x) * pic.width / w);
            out.pixels[static_cast<size_t>(y) * w + x] =
                pic.pixels[static_cast<size_t>(sy) * pic.width + sx];
        }
    }
    return out;
}

Mask DarkMask(const Picture& pic) {
    Mask m;
    m.width = pic.width;
    m.height = pic.height;
    m.on.assign(static_cast<size_t>(std::max(pic.width, 0)) * std::max(pic.height, 0), false);
    if (!IsUsable(pic)) return m;
    const std::uint32_t key = pic.pixels[0] & 0xFFFFFF;
    for (size_t i = 0; i < m.on.size(); ++i) {
        const std::uint32_t p = pic.pixels[i];
        int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        if (pic.isIcon) {
            const int a = (p >> 24) & 0xFF;
            r = (r * a + 255 * (255 - a)) / 255;
            g = (g * a + 255 * (255 - a)) / 255;
            b = (b * a + 255 * (255 - a)) / 255;
        } else if ((p & 0xFFFFFF) == key) {
            r = g = b = 255;
        }
        m.on[i] = !(r == 255 && g == 255 && b == 255);
    }
    return m;
}

Size FitSize(const Picture& pic, Size box) {
    if (pic.width <= 0 || pic.height <= 0 || box.width <= 0 || box.height <= 0) return {};
    // Compare the ratios by cross-multiplying to stay exact.
    if (static_cast<long long>(box.width) * pic.height <=
        static_cast<long long>(box.height) * pic.width) {
        return {box.width, std::max(1, static_cast<int>(static_cast<long long>(box.width) *
                                                        pic.height / pic.width))};
    }
    return {
        std::max(1, static_cast<int>(static_cast<long long>(box.height) * pic.width / pic.height)),
        box.height};
}

}  // namespace cindral::button
