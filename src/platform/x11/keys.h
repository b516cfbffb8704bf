#pragma once
// The keyboard as the saver's key handler reads it on X11.

#include "saver/ports.h"

typedef struct _XDisplay Display;

namespace cindral::platform::x11 {

// The saver's key for a key: `keysym` is the key's first (unshifted) keysym,
// `numLock` whether NumLock was on. The left and right arrows, and the
// keypad's 4 and 6 while NumLock is off (the same keys as the arrows then),
// are Left and Right; every other key is Other.
saver::Key SaverKeyOf(unsigned long keysym, bool numLock);

// The modifier bit NumLock is on (Mod2 on most keyboards, but the keyboard
// map decides); 0 when no key is NumLock.
unsigned int NumLockMask(::Display* d);

}  // namespace cindral::platform::x11
