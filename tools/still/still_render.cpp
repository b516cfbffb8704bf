#include "still_render.h"

#include <charconv>

#include "display/memory_surface.h"
#include "fire/fire_engine.h"
#include "fire/scripted_frames.h"

namespace cindral::still {

namespace {

template <typename T>
bool ParseNumber(const std::string& text, T& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

}  // namespace

std::string ParseStillArgs(const std::vector<std::string>& args, StillOptions& o) {
    bool haveKind = false, haveFrames = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (i + 1 >= args.size()) return "missing value after " + name;
        const std::string& value = args[++i];
        if (name == "--kind") {
            if (!ParseNumber(value, o.kind)) return "bad --kind " + value;
            haveKind = true;
        } else if (name == "--frames") {
            if (!ParseNumber(value, o.frames) || o.frames < 0) return "bad --frames " + value;
            haveFrames = true;
        } else if (name == "--seed") {
            std::uint64_t seed = 0;
            if (!ParseNumber(value, seed)) return "bad --seed " + value;
            o.seed = seed;
        } else if (name == "--depth") {
            if (!ParseNumber(value, o.depth) || (o.depth != 16 && o.depth != 32)) {
                return "bad --depth " + value + " (16 or 32)";
            }
        } else if (name == "--out") {
            o.out = value;
        } else {
            return "unknown argument " + name;
        }
    }
    if (!haveKind || !haveFrames || o.out.empty()) return "--kind, --frames and --out are required";
    return {};
}

std::vector<std::uint8_t> RenderStill(const StillOptions& o, int secondsSinceMidnight) {
    fire::ScriptedClock clock;
    fire::Rnd rnd;
    if (o.seed) rnd.Seed(*o.seed);
    fire::FireEngine engine(rnd, [&clock] { return clock.Now(); });
    display::MemorySurface back(display::kBackWidth, display::kBackHeight, o.depth);
    if (!fire::LoadAndRunFrames(engine, clock, o.kind, secondsSinceMidnight, back, o.frames)) {
        return {};
    }
    if (o.frames == 0) engine.render(back);

    std::vector<std::uint8_t> rgb;
    const int pixels = back.Width() * back.Height();
    rgb.reserve(static_cast<std::size_t>(pixels) * 3);
    const std::uint8_t* p = back.Bytes().data();
    for (int i = 0; i < pixels; ++i) {
        if (o.depth == 32) {
            rgb.push_back(p[2]);
            rgb.push_back(p[1]);
            rgb.push_back(p[0]);
            p += 4;
        } else {
            const unsigned v = static_cast<unsigned>(p[0] | p[1] << 8);
            const unsigned r = v >> 11, g = (v >> 5) & 63, b = v & 31;
            rgb.push_back(static_cast<std::uint8_t>(r << 3 | r >> 2));
            rgb.push_back(static_cast<std::uint8_t>(g << 2 | g >> 4));
            rgb.push_back(static_cast<std::uint8_t>(b << 3 | b >> 2));
            p += 2;
        }
    }
    return rgb;
}

}  // namespace cindral::still
