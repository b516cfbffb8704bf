#pragma once
// The command line of a screen-saver daemon's "hack": the daemon owns the
// window and names it (-root, or -window-id ID); the program only draws into
// it. Flags from the daemon's settings dialog override the settings file for
// this run only. A line without any of these flags is the screen-saver grammar
// of ParseCommandLine, untouched.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/settings.h"

namespace cindral::startup {

// Settings given on the command line; unset ones keep the file's value.
struct HackOverrides {
    std::optional<std::int16_t> fireKind;     // 0..8
    std::optional<std::int16_t> musicKind;    // 0..2
    std::optional<std::int16_t> repeatTrack;  // 0..99
    std::optional<std::string> musicFile;
};

struct HackCommandLine {
    // The window named by -window-id; nothing for -root.
    std::optional<std::uint32_t> windowId;
    HackOverrides overrides;
    // Not empty: the line asks for hack mode but cannot be run; the text says why.
    std::string error;
};

// Who names the surface the saver draws on: a daemon, with -root or
// -window-id on the line, or the compositor of a locker (layer mode), where
// only the settings flags apply.
enum class HackSurface { NamedWindow, GivenByCompositor };

// Nothing when no argument is a hack flag (-root, -window-id, -fire-kind,
// -music-kind, -repeat-track, -music-file; each with one or two hyphens).
// -window-id wins over -root wherever they stand, since a settings dialog may
// add it to a command line that already says -root.
std::optional<HackCommandLine> ParseHackCommandLine(const std::vector<std::string>& args,
                                                    HackSurface surface = HackSurface::NamedWindow);

// An X window id in decimal or 0x-hexadecimal; nothing for 0, for anything
// beyond 32 bits and for text that is not wholly such a number.
std::optional<std::uint32_t> ParseWindowId(std::string_view text);

// The window a hack draws into, and why there is none.
struct HackWindow {
    bool root = false;  // the screen's root window
    std::uint32_t id = 0;
    std::string error;
};

// -window-id names the window itself. -root means the window in
// XSCREENSAVER_WINDOW (`daemonWindow`, as the daemon sets it) when that is
// set, else the root window.
HackWindow ChooseHackWindow(const HackCommandLine& line,
                            const std::optional<std::string>& daemonWindow);

// Applies the overrides in memory, then the settings file's music-file rule
// (a music file that does not exist plays nothing).
void ApplyHackOverrides(const HackOverrides& overrides, config::Settings& settings);

}  // namespace cindral::startup
