#include "platform/x11/errors.h"

#include <X11/Xlib.h>

namespace cindral::platform::x11 {

namespace {

X11ErrorRecord g_errors;

int Record(::Display*, XErrorEvent* e) {
    ++g_errors.count;
    g_errors.resource = e->resourceid;
    g_errors.code = e->error_code;
    return 0;
}

}  // namespace

void RecordX11Errors() { XSetErrorHandler(Record); }

const X11ErrorRecord& X11Errors() { return g_errors; }

bool X11WindowGone(unsigned long window) {
    return g_errors.resource == window &&
           (g_errors.code == BadWindow || g_errors.code == BadDrawable);
}

}  // namespace cindral::platform::x11
