#include "platform/win32/window_finder.h"

#include "platform/win32/wide_text.h"
#include "platform/win32/win32.h"

namespace cindral::platform::win32 {

bool Win32WindowFinder::WindowExists(std::string_view caption) {
    return FindWindowW(nullptr, WideFromUtf8(caption).c_str()) != nullptr;
}

}  // namespace cindral::platform::win32
