#include "platform/win32/media_commands.h"

#include <cstring>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32.h"

namespace cindral::platform::win32 {

std::string AnsiCommandText(const std::string& utf8) {
    const std::wstring wide = WideFromUtf8(utf8);
    if (wide.empty()) return std::string();
    int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), size,
                            nullptr, nullptr);
    }
    return out;
}

std::string Utf8ReplyText(const char* ansi) { return Utf8FromWide(WideFromAnsi(ansi, CP_ACP)); }

std::uint32_t SoundFileFlags(std::uint32_t flags) { return flags | SND_FILENAME | SND_NODEFAULT; }

namespace {

// Copies `text` into the caller's buffer of `capacity` bytes, cut to fit and
// NUL-terminated.
void CopyOut(const std::string& text, char* out, std::uint32_t capacity) {
    if (!out || capacity == 0) return;
    const std::size_t n = std::min<std::size_t>(text.size(), capacity - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

}  // namespace

std::uint32_t WinmmMediaCommands::mciSendStringA(const std::string& command, char* reply,
                                                 std::uint32_t replyCapacity,
                                                 std::uintptr_t callbackWindow) {
    std::string buffer(replyCapacity, '\0');
    const MCIERROR code =
        ::mciSendStringA(AnsiCommandText(command).c_str(), replyCapacity ? buffer.data() : nullptr,
                         replyCapacity, reinterpret_cast<HWND>(callbackWindow));
    if (reply && replyCapacity) CopyOut(Utf8ReplyText(buffer.c_str()), reply, replyCapacity);
    return code;
}

bool WinmmMediaCommands::mciGetErrorStringA(std::uint32_t errorCode, char* text,
                                            std::uint32_t capacity) {
    std::string buffer(capacity ? capacity : 1, '\0');
    if (!::mciGetErrorStringA(errorCode, buffer.data(), capacity)) return false;
    CopyOut(Utf8ReplyText(buffer.c_str()), text, capacity);
    return true;
}

bool WinmmMediaCommands::PlaySoundA(const char* sound, std::uintptr_t module, std::uint32_t flags) {
    if (!sound) return ::PlaySoundA(nullptr, reinterpret_cast<HMODULE>(module), flags);
    const std::string name = AnsiCommandText(sound);
    return ::PlaySoundA(name.c_str(), reinterpret_cast<HMODULE>(module), SoundFileFlags(flags));
}

std::uint32_t WinmmMediaCommands::waveOutGetNumDevs() { return ::waveOutGetNumDevs(); }

}  // namespace cindral::platform::win32
