#include "platform/windows/startup/win32_window_finder.h"

#include "platform/windows/startup/wide_text.h"
#include "platform/windows/win32.h"

namespace cindral::platform::windows {

bool Win32WindowFinder::WindowExists(std::string_view caption) {
    return FindWindowW(nullptr, WideFromUtf8(caption).c_str()) != nullptr;
}

}  // namespace cindral::platform::windows
