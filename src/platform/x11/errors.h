#pragma once
// A protocol-error handler that records instead of ending the program.
// Errors arrive later than the request that caused them, and the windows the
// saver draws into may be destroyed under it at any time (by a daemon, or
// while its own windows close); a lost connection still ends the program.

typedef struct _XDisplay Display;

namespace cindral::platform::x11 {

struct X11ErrorRecord {
    int count = 0;               // errors so far
    unsigned long resource = 0;  // the last error's resource
    unsigned char code = 0;      // and its code (BadWindow ...)
};

// Installs the recording handler for every connection of the process.
void RecordX11Errors();
const X11ErrorRecord& X11Errors();

// True when the last recorded error says `window` no longer exists.
bool X11WindowGone(unsigned long window);

}  // namespace cindral::platform::x11
