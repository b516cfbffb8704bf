#pragma once
// The screen-saver command line as the system passes it: the text after the
// program name of the process's wide command line.

#include <string>
#include <string_view>

namespace cindral::platform::win32 {

// The text after the program name and the blanks that follow it. The name is
// either quoted (up to the closing quote) or runs to the first blank; this is
// how the system's own start-up code cuts the line for WinMain.
std::wstring_view TextAfterProgramName(std::wstring_view commandLine);

// TextAfterProgramName(GetCommandLineW()) as UTF-8.
std::string ProcessCommandLine();

}  // namespace cindral::platform::win32
