#pragma once
// The keyboard as the saver's key handler reads it on Windows.

#include <cstdint>

#include "saver/ports.h"

namespace cindral::platform::win32 {

// The saver's key for the virtual-key code of a key-down message: VK_LEFT and
// VK_RIGHT (the keypad's 4 and 6 arrive as them while NumLock is off) are
// Left and Right, every other key Other.
saver::Key SaverKeyOf(std::uintptr_t virtualKey);

}  // namespace cindral::platform::win32
