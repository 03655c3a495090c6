#include "tests/support/wia_server_registration_win32.h"

#include <windows.h>

#include <tlhelp32.h>

#include <chrono>
#include <string_view>
#include <thread>

#include "config/reg_key_win32.h"
#include "tests/support/test_installation_win32.h"

namespace {

constexpr char16_t kServerKey[] = u"CLSID\\{A1F4E726-8CF1-11D1-BF92-0060081ED811}\\LocalServer32";
constexpr char16_t kAppIdKey[] = u"AppID\\{A1F4E726-8CF1-11D1-BF92-0060081ED811}";
constexpr char16_t kLocalService[] = u"LocalService";
constexpr std::size_t kValueUnits = 1024;

constexpr std::wstring_view kServerFile = L"wia_server.exe";
constexpr auto kServerEndWait = std::chrono::seconds(15);

bool ServerRuns() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return false;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more != FALSE && !found;
         more = Process32NextW(snapshot, &entry)) {
        found = kServerFile == entry.szExeFile;
    }
    CloseHandle(snapshot);
    return found;
}

// Wine's service keeps its class registered while it runs, and COM would
// hand that out before starting the stand-in: it is stopped first (COM
// starts it again when it is asked for once more).
void StopWineService() {
    const SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (manager == nullptr) {
        return;
    }
    const SC_HANDLE service = OpenServiceW(manager, L"stisvc", SERVICE_STOP | SERVICE_QUERY_STATUS);
    if (service != nullptr) {
        SERVICE_STATUS status{};
        if (ControlService(service, SERVICE_CONTROL_STOP, &status) != FALSE) {
            const auto deadline = std::chrono::steady_clock::now() + kServerEndWait;
            while (QueryServiceStatus(service, &status) != FALSE &&
                   status.dwCurrentState != SERVICE_STOPPED &&
                   std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
        }
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
}

std::optional<std::u16string> ReadValue(const char16_t* key, const char16_t* name) {
    return RegKey::OpenForRead(HKEY_CLASSES_ROOT, key).ReadString(name, kValueUnits);
}

}  // namespace

WiaServerRegistration::WiaServerRegistration()
    : savedServer_(ReadValue(kServerKey, u"")), savedService_(ReadValue(kAppIdKey, kLocalService)) {
    const std::u16string server = BuildTreeFolder(u"standins\\wia-server") + u"\\wia_server.exe";
    registered_ =
        RegKey::CreateForWrite(HKEY_CLASSES_ROOT, kServerKey).WriteString(u"", server.c_str());
    const RegKey appId = RegKey::OpenForWrite(HKEY_CLASSES_ROOT, kAppIdKey);
    registered_ = registered_ && (!appId.IsOpen() || appId.RemoveValue(kLocalService));
    StopWineService();
}

WiaServerRegistration::~WiaServerRegistration() {
    if (savedServer_) {
        RegKey::CreateForWrite(HKEY_CLASSES_ROOT, kServerKey)
            .WriteString(u"", savedServer_->c_str());
    } else {
        RegKey::DeleteKey(HKEY_CLASSES_ROOT, kServerKey);
    }
    if (savedService_) {
        RegKey::CreateForWrite(HKEY_CLASSES_ROOT, kAppIdKey)
            .WriteString(kLocalService, savedService_->c_str());
    }
    // COM hands a running server's class to the next caller whatever the
    // registry says; the stand-in ends once its last object is given back.
    const auto deadline = std::chrono::steady_clock::now() + kServerEndWait;
    while (ServerRuns() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}
