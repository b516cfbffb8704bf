#include "platform/win32/keys.h"

#include "platform/win32/win32.h"

namespace cindral::platform::win32 {

saver::Key SaverKeyOf(std::uintptr_t virtualKey) {
    if (virtualKey == VK_LEFT) return saver::Key::Left;
    if (virtualKey == VK_RIGHT) return saver::Key::Right;
    return saver::Key::Other;
}

}  // namespace cindral::platform::win32
