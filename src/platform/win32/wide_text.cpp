#include "platform/win32/wide_text.h"

#include "platform/win32/win32.h"

namespace cindral::platform::win32 {

std::wstring WideFromUtf8(std::string_view utf8) { return WideFromAnsi(utf8, CP_UTF8); }

std::string Utf8FromWide(std::wstring_view wide) {
    return AnsiFromWide(wide, CP_UTF8).value_or(std::string());
}

std::optional<std::string> AnsiFromWide(std::wstring_view wide, unsigned codePage) {
    if (wide.empty()) return std::string();
    const int length = static_cast<int>(wide.size());
    const bool utf8 = codePage == CP_UTF8;
    // The exactness flags are refused for UTF-8, where every character converts.
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
    int size = WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr,
                                   usedDefaultOut);
    if (size <= 0) return std::nullopt;
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), length, out.data(), size, nullptr,
                        usedDefaultOut);
    if (usedDefault) return std::nullopt;
    return out;
}

std::wstring WideFromAnsi(std::string_view ansi, unsigned codePage) {
    if (ansi.empty()) return std::wstring();
    const int length = static_cast<int>(ansi.size());
    int size = MultiByteToWideChar(codePage, 0, ansi.data(), length, nullptr, 0);
    if (size <= 0) return std::wstring();
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, ansi.data(), length, out.data(), size);
    return out;
}

}  // namespace cindral::platform::win32
