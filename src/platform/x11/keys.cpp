#include "platform/x11/keys.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace cindral::platform::x11 {

saver::Key SaverKeyOf(unsigned long keysym, bool numLock) {
    if (keysym == XK_Left || ((keysym == XK_KP_Left || keysym == XK_KP_4) && !numLock)) {
        return saver::Key::Left;
    }
    if (keysym == XK_Right || ((keysym == XK_KP_Right || keysym == XK_KP_6) && !numLock)) {
        return saver::Key::Right;
    }
    return saver::Key::Other;
}

unsigned int NumLockMask(::Display* d) {
    const KeyCode numLock = XKeysymToKeycode(d, XK_Num_Lock);
    XModifierKeymap* map = XGetModifierMapping(d);
    unsigned int mask = 0;
    if (map && numLock != 0) {
        for (int mod = 0; mod < 8 && !mask; ++mod) {
            for (int k = 0; k < map->max_keypermod; ++k) {
                if (map->modifiermap[mod * map->max_keypermod + k] == numLock) mask = 1u << mod;
            }
        }
    }
    if (map) XFreeModifiermap(map);
    return mask;
}

}  // namespace cindral::platform::x11
