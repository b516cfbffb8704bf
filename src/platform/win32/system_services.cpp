#include "platform/win32/system_services.h"

#include "platform/win32/win32.h"

namespace cindral::platform::win32 {

namespace {

using VerifyScreenSavePwdProc = BOOL(WINAPI*)(HWND);
using PwdChangePasswordProc = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);

}  // namespace

void* LoadSystemProcedure(const std::wstring& module, const char* procedure) {
    HMODULE library = LoadLibraryW(module.c_str());
    if (!library) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(library, procedure));
}

bool SystemIsWindowsNT() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = 148;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL ok = GetVersionExA(&info);
#pragma GCC diagnostic pop
    return ok == 1 && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

std::int32_t Win32SystemServices::ShowCursor(bool show) {
    return ::ShowCursor(show ? TRUE : FALSE);
}

void SetSystemParameter(std::uint32_t action, std::uint32_t uiParam) {
    ::SystemParametersInfoA(action, uiParam, nullptr, 0);
}

void Win32SystemServices::AnnounceSaverRunning(bool running) {
    setParameter_(SPI_SCREENSAVERRUNNING, running ? 0xFFFFFFFFu : 0u);
}

void Win32SystemServices::ActivateSaverTimeout() { setParameter_(SPI_SETSCREENSAVEACTIVE, 1); }

bool Win32SystemServices::AskSaverPassword(std::uintptr_t window) {
    auto verify =
        reinterpret_cast<VerifyScreenSavePwdProc>(loader_(L"password.cpl", "VerifyScreenSavePwd"));
    if (!verify) return true;
    return verify(reinterpret_cast<HWND>(window)) != 0;
}

void Win32SystemServices::ChangeSaverPassword(std::int32_t ownerWindow) {
    auto change =
        reinterpret_cast<PwdChangePasswordProc>(loader_(L"mpr.dll", "PwdChangePasswordA"));
    if (!change) return;
    change("SCRSAVE", reinterpret_cast<HWND>(static_cast<std::intptr_t>(ownerWindow)), 0, 0);
}

}  // namespace cindral::platform::win32
