#pragma once
// The ports of start-up: the system calls start-up and the saver window make
// that are not about drawing or sound, the look-up of windows by caption and
// the single-instance claim.

#include <cstdint>
#include <string_view>

namespace cindral::startup {

inline constexpr std::uint32_t SPI_SETSCREENSAVEACTIVE = 17;
inline constexpr std::uint32_t SPI_SCREENSAVERRUNNING = 97;

// Cursor display count, the saver-running notice, the platform family and the
// saver password services. Platforms without some of them implement the port
// with harmless equivalents.
class SystemServices {
  public:
    virtual ~SystemServices() = default;
    // Changes the cursor's display count by +1 (show) or -1 (hide) and
    // returns the new count; the cursor is visible while it is >= 0.
    virtual std::int32_t ShowCursor(bool show) = 0;
    virtual void SystemParametersInfoA(std::uint32_t action, std::uint32_t uiParam) = 0;
    // True on every platform that is not of the Windows 9x family.
    virtual bool IsWindowsNT() = 0;
    // Asks for the saver password; non-zero when the saver may end.
    virtual std::int32_t VerifyScreenSavePwd(std::uintptr_t window) = 0;
    virtual void PwdChangePasswordA(std::int32_t ownerWindow) = 0;
};

// Finds top-level windows by their (UTF-8) caption.
class WindowFinder {
  public:
    virtual ~WindowFinder() = default;
    virtual bool WindowExists(std::string_view caption) = 0;
};

// The single-instance claim: at most one running copy holds it at a time, and
// it ends with the process that holds it (on X11 a selection owned on the
// display, on Windows a named mutex). Unlike the look-up of windows by
// caption, taking it is one atomic step, so copies started together cannot
// all miss each other.
class InstanceClaim {
  public:
    virtual ~InstanceClaim() = default;
    // Takes the claim for the rest of the process; false when another running
    // copy holds it.
    virtual bool TryClaim() = 0;
    // True when another running copy holds the claim; takes nothing.
    virtual bool HeldElsewhere() = 0;
};

// Tells the system whether a saver runs: false announces one (uiParam is the
// 16-bit negation of the boolean, so false, 0, goes out as -1).
inline void EnableSystemKeys(SystemServices& system, bool enable) {
    system.SystemParametersInfoA(SPI_SCREENSAVERRUNNING, enable ? 0u : 0xFFFFFFFFu);
}

}  // namespace cindral::startup
