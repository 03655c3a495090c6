#include "applet/ui/open_url_win32.h"

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "applet/ui/browser_command.h"
#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"
#include "config/reg_key_win32.h"

namespace {
constexpr std::size_t kCommandLineCapacity = 520;
// The value is read into 1038 bytes, terminator included.
constexpr std::size_t kCommandUnits = 1038 / sizeof(char16_t) - 1;
}  // namespace

void OpenUrlInBrowser(const char16_t* url) {
    const RegKey key = RegKey::OpenForRead(HKEY_CLASSES_ROOT, u"http\\shell\\open\\command");
    if (!key.IsOpen()) {
        return;
    }
    const std::optional<std::u16string> command = key.ReadString(nullptr, kCommandUnits);
    if (!command) {
        return;
    }
    std::array<char16_t, kCommandLineCapacity> line{};
    BuildBrowserCommandLine(*command, url, line.data(), line.size());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, AsWide(line.data()), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        UniqueHandle ownProcess(process.hProcess);
        UniqueHandle ownThread(process.hThread);
    }
}
