#include "tests/support/wine_drive_win32.h"

#include <winioctl.h>

#include <cstring>
#include <vector>

#include "common/win32/ownership_win32.h"
#include "tests/support/unix_link_win32.h"

namespace {

// Wine's mount manager interface (its ddk/mountmgr.h), which winecfg uses.
constexpr DWORD kDefineUnixDrive =
    CTL_CODE(0x0000006D, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

struct UnixDriveRequest {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset;
    USHORT deviceOffset;
    USHORT labelOffset;
};

// Defines letter as the Unix folder mountPoint, or removes it when empty.
bool DefineUnixDrive(char16_t letter, UINT type, const std::string& mountPoint) {
    const UniqueHandle manager(
        CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!manager.IsValid()) {
        return false;
    }
    std::vector<char> buffer(sizeof(UnixDriveRequest) +
                             (mountPoint.empty() ? 0 : mountPoint.size() + 1));
    UnixDriveRequest request{};
    request.size = static_cast<ULONG>(buffer.size());
    request.type = type;
    request.letter = static_cast<WCHAR>(letter - u'A' + u'a');
    if (!mountPoint.empty()) {
        request.mountPointOffset = sizeof request;
        std::memcpy(buffer.data() + sizeof request, mountPoint.c_str(), mountPoint.size() + 1);
    }
    std::memcpy(buffer.data(), &request, sizeof request);
    DWORD returned = 0;
    return DeviceIoControl(manager.Get(), kDefineUnixDrive, buffer.data(),
                           static_cast<DWORD>(buffer.size()), nullptr, 0, &returned, nullptr) != 0;
}

}  // namespace

WineDrive::WineDrive(char16_t letter, UINT type, const std::u16string& folder) : letter_(letter) {
    const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
    if (GetDriveTypeW(root) != DRIVE_NO_ROOT_DIR) {
        return;  // a letter of the prefix is not taken over
    }
    const std::string mountPoint = WineUnixPath(folder);
    defined_ = !mountPoint.empty() && DefineUnixDrive(letter, type, mountPoint) &&
               GetDriveTypeW(root) == type;
}

WineDrive::~WineDrive() {
    if (defined_) {
        DefineUnixDrive(letter_, DRIVE_NO_ROOT_DIR, {});
    }
}
