#include "startup/hack_command_line.h"

#include <array>
#include <charconv>

#include "config/settings_store.h"

namespace cindral::startup {
namespace {

enum class Flag { Root, WindowId, FireKind, MusicKind, RepeatTrack, MusicFile };

struct FlagName {
    std::string_view name;  // without its hyphens
    Flag flag;
};

constexpr std::array<FlagName, 6> kFlags{{
    {"root", Flag::Root},
    {"window-id", Flag::WindowId},
    {"fire-kind", Flag::FireKind},
    {"music-kind", Flag::MusicKind},
    {"repeat-track", Flag::RepeatTrack},
    {"music-file", Flag::MusicFile},
}};

// "-name" and "--name" are the same flag, as in the daemons' own hacks.
std::optional<Flag> FlagOf(std::string_view arg) {
    if (arg.size() < 2 || arg[0] != '-') return std::nullopt;
    arg.remove_prefix(arg[1] == '-' ? 2 : 1);
    for (const auto& f : kFlags) {
        if (f.name == arg) return f.flag;
    }
    return std::nullopt;
}

struct Range {
    std::string_view flag;
    int low, high;
    std::string_view meaning;
};

std::optional<std::int16_t> SmallNumber(std::string_view text, int low, int high) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

bool SetNumber(std::optional<std::int16_t>& out, std::string_view value, const Range& r,
               std::string& error) {
    out = SmallNumber(value, r.low, r.high);
    if (!out) {
        error = "--" + std::string(r.flag) + " takes " + std::to_string(r.low) + " to " +
                std::to_string(r.high) + " (" + std::string(r.meaning) + "), not '" +
                std::string(value) + "'";
    }
    return out.has_value();
}

}  // namespace

std::optional<std::uint32_t> ParseWindowId(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    std::uint32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value == 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<HackCommandLine> ParseHackCommandLine(const std::vector<std::string>& args,
                                                    HackSurface surface) {
    bool anyFlag = false;
    for (const auto& a : args) anyFlag = anyFlag || FlagOf(a).has_value();
    if (!anyFlag) return std::nullopt;

    HackCommandLine line;
    bool root = false;
    for (std::size_t i = 0; i < args.size() && line.error.empty(); ++i) {
        const std::optional<Flag> flag = FlagOf(args[i]);
        if (!flag) {
            line.error = "unknown argument '" + args[i] + "'";
            break;
        }
        if (*flag == Flag::Root) {
            root = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            line.error = args[i] + " needs a value";
            break;
        }
        const std::string& value = args[++i];
        switch (*flag) {
            case Flag::WindowId:
                line.windowId = ParseWindowId(value);
                if (!line.windowId) {
                    line.error =
                        "--window-id takes a window id (decimal or 0x-hex), not '" + value + "'";
                }
                break;
            case Flag::FireKind:
                SetNumber(line.overrides.fireKind, value,
                          {"fire-kind", 0, 8, "a fire kind, 8 a random one"}, line.error);
                break;
            case Flag::MusicKind:
                SetNumber(line.overrides.musicKind, value,
                          {"music-kind", 0, 2, "none, audio CD, music file"}, line.error);
                break;
            case Flag::RepeatTrack:
                SetNumber(line.overrides.repeatTrack, value,
                          {"repeat-track", 0, 99, "0 the whole disc"}, line.error);
                break;
            case Flag::MusicFile:
                line.overrides.musicFile = value;
                break;
            case Flag::Root:
                break;
        }
    }
    if (line.error.empty() && surface == HackSurface::NamedWindow && !root && !line.windowId) {
        line.error = "say which window to draw into: -root or -window-id ID";
    }
    if (line.error.empty() && surface == HackSurface::GivenByCompositor &&
        (root || line.windowId)) {
        line.error =
            "layer mode draws where the compositor says: -root and -window-id do not apply";
    }
    return line;
}

HackWindow ChooseHackWindow(const HackCommandLine& line,
                            const std::optional<std::string>& daemonWindow) {
    HackWindow w;
    if (line.windowId) {
        w.id = *line.windowId;
    } else if (daemonWindow) {
        if (auto id = ParseWindowId(*daemonWindow)) {
            w.id = *id;
        } else {
            w.error = "XSCREENSAVER_WINDOW names no window: '" + *daemonWindow + "'";
        }
    } else {
        w.root = true;
    }
    return w;
}

void ApplyHackOverrides(const HackOverrides& overrides, config::Settings& settings) {
    if (overrides.fireKind) settings.FireKind = *overrides.fireKind;
    if (overrides.musicKind) settings.MusicKind = *overrides.musicKind;
    if (overrides.repeatTrack) settings.RepeatTrack = *overrides.repeatTrack;
    if (overrides.musicFile) settings.MusicFile = *overrides.musicFile;
    config::ForgetMissingMusicFile(settings);
}

}  // namespace cindral::startup
