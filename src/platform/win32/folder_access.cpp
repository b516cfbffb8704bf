#include "platform/win32/folder_access.h"

#include <vector>

#include "platform/win32/win32.h"

namespace cindral::platform::win32 {

namespace {

// Write-protected media are discs and removable drives; fixed disks are not
// asked (the question fails noisily for some mapped drives).
bool VolumeIsReadOnly(const std::wstring& folder) {
    wchar_t root[MAX_PATH] = {};
    if (!GetVolumePathNameW(folder.c_str(), root, MAX_PATH)) return false;
    const UINT type = GetDriveTypeW(root);
    if (type != DRIVE_CDROM && type != DRIVE_REMOVABLE) return false;
    DWORD flags = 0;
    if (!GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0)) {
        return false;
    }
    return (flags & FILE_READ_ONLY_VOLUME) != 0;
}

bool TokenMayAddFile(const std::wstring& folder) {
    const SECURITY_INFORMATION what =
        OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    DWORD size = 0;
    GetFileSecurityW(folder.c_str(), what, nullptr, 0, &size);
    if (size == 0) return false;
    std::vector<unsigned char> buffer(size);
    auto* descriptor = reinterpret_cast<PSECURITY_DESCRIPTOR>(buffer.data());
    if (!GetFileSecurityW(folder.c_str(), what, descriptor, size, &size)) return false;

    HANDLE process = nullptr, token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_DUPLICATE | TOKEN_IMPERSONATE,
                          &process)) {
        return false;
    }
    const bool duplicated = DuplicateToken(process, SecurityImpersonation, &token) != 0;
    CloseHandle(process);
    if (!duplicated) return false;

    GENERIC_MAPPING mapping{FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE,
                            FILE_ALL_ACCESS};
    DWORD desired = FILE_ADD_FILE;
    MapGenericMask(&desired, &mapping);
    PRIVILEGE_SET privileges{};
    DWORD privilegesSize = sizeof privileges;
    DWORD granted = 0;
    BOOL allowed = FALSE;
    const BOOL checked = AccessCheck(descriptor, token, desired, &mapping, &privileges,
                                     &privilegesSize, &granted, &allowed);
    CloseHandle(token);
    return checked && allowed;
}

}  // namespace

bool Win32FolderAccess::CanCreateFilesIn(const std::filesystem::path& folder) {
    if (folder.empty()) return false;
    const std::wstring name = folder.native();
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
    }
    if (VolumeIsReadOnly(name)) return false;
    return TokenMayAddFile(name);
}

}  // namespace cindral::platform::win32
