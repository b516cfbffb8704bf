#pragma once
// The ports of start-up: the system calls start-up and the saver window make
// that are not about drawing or sound, the look-up of windows by caption and
// the single-instance claim.

#include <cstdint>
#include <string_view>

namespace cindral::startup {

// Cursor display count, the saver-running notice, the saver timeout and the
// saver password services, by what start-up and the saver window want of the
// system. Platforms without some of them implement the port with harmless
// equivalents.
class SystemServices {
  public:
    virtual ~SystemServices() = default;
    // Changes the cursor's display count by +1 (show) or -1 (hide) and
    // returns the new count; the cursor is visible while it is >= 0.
    virtual std::int32_t ShowCursor(bool show) = 0;
    // Tells the system that a saver runs (true) or no longer runs (false);
    // while one runs, the system holds back its task-switching keys.
    virtual void AnnounceSaverRunning(bool running) = 0;
    // Turns the system's own saver timeout on, as the saver leaves it.
    virtual void ActivateSaverTimeout() = 0;
    // Whether the platform guards a running saver with a password at all.
    virtual bool AsksSaverPassword() = 0;
    // Asks the user for the saver password over `window`; true when the
    // saver may end.
    virtual bool AskSaverPassword(std::uintptr_t window) = 0;
    // Opens the system's dialog for changing the saver password, owned by
    // `ownerWindow`, and returns when it closes.
    virtual void ChangeSaverPassword(std::int32_t ownerWindow) = 0;
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

// The platform family test of the password steps: a platform that asks no
// saver password counts as the NT family.
inline bool IsWindowsNT(SystemServices& system) { return !system.AsksSaverPassword(); }

// The system keys are held back while a saver runs: disabling them announces
// one, enabling them announces its end.
inline void EnableSystemKeys(SystemServices& system, bool enable) {
    system.AnnounceSaverRunning(!enable);
}

}  // namespace cindral::startup
