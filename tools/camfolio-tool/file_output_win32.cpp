#include <windows.h>

#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"
#include "tools/camfolio-tool/file_output.h"

bool WriteWholeFile(const char16_t* path, std::span<const std::byte> bytes) {
    const UniqueHandle file(CreateFileW(AsWide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) {
        return false;
    }
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > MAXDWORD ? MAXDWORD : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes = bytes.subspan(written);
    }
    return true;
}
