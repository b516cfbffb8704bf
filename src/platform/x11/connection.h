#pragma once
// The program's one X connection: opened once at start, shared by the window
// look-up, the instance claim, the preview and the saver's display queries,
// and kept until the process ends (the instance claim lives on it).

#include <string>

typedef struct _XDisplay Display;

namespace cindral::platform::x11 {

struct XConnection {
    ::Display* display = nullptr;  // null when no attempt succeeded
    std::string name;              // the display name used, for messages
    int attempts = 0;
};

// Opens the display named by DISPLAY. A server may refuse a connection now
// and then under load, so a refused connection is tried again, `attempts`
// times in all over about `spanMs` milliseconds; with no DISPLAY set, once.
XConnection OpenXConnection(int attempts = 6, int spanMs = 500);

}  // namespace cindral::platform::x11
