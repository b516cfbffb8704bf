#include "platform/win32/process_command_line.h"

#include "platform/win32/wide_text.h"
#include "platform/win32/win32.h"

namespace cindral::platform::win32 {

std::wstring_view TextAfterProgramName(std::wstring_view line) {
    std::size_t i = 0;
    if (!line.empty() && line.front() == L'"') {
        i = line.find(L'"', 1);
        i = i == std::wstring_view::npos ? line.size() : i + 1;
    } else {
        while (i < line.size() && line[i] != L' ' && line[i] != L'\t') ++i;
    }
    while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
    return line.substr(i);
}

std::string ProcessCommandLine() {
    const wchar_t* line = GetCommandLineW();
    return Utf8FromWide(TextAfterProgramName(line ? line : L""));
}

}  // namespace cindral::platform::win32
