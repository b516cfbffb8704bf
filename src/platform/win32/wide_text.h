#pragma once
// Conversions between the program's UTF-8 text and the system's wide text and
// ANSI code pages.

#include <optional>
#include <string>
#include <string_view>

namespace cindral::platform::win32 {

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

// `wide` in code page `codePage`; nothing when a character has no exact
// equivalent there (no best-fit look-alikes, no default character).
std::optional<std::string> AnsiFromWide(std::wstring_view wide, unsigned codePage);
std::wstring WideFromAnsi(std::string_view ansi, unsigned codePage);

}  // namespace cindral::platform::win32
