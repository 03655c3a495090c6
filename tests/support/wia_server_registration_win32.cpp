#include "tests/support/wia_server_registration_win32.h"

#include <objbase.h>
#include <wia.h>
#include <windows.h>

#include <tlhelp32.h>

#include <chrono>
#include <string_view>
#include <thread>

#include "common/win32/ownership_win32.h"
#include "config/reg_key_win32.h"
#include "tests/support/test_installation_win32.h"

namespace {

constexpr char16_t kServerKey[] = u"CLSID\\{A1F4E726-8CF1-11D1-BF92-0060081ED811}\\LocalServer32";
constexpr char16_t kAppIdKey[] = u"AppID\\{A1F4E726-8CF1-11D1-BF92-0060081ED811}";
constexpr char16_t kLocalService[] = u"LocalService";
constexpr std::size_t kValueUnits = 1024;

constexpr std::wstring_view kServerFile = L"wia_server.exe";
constexpr auto kServerEndWait = std::chrono::seconds(15);
constexpr auto kServerAnswerWait = std::chrono::seconds(20);
// The stand-in's cameras, scanner and device whose id is no text.
constexpr ULONG kStandInDevices = 4;

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

bool StandInAnswers() {
    ComRef<IWiaDevMgr> manager;
    ComRef<IEnumWIA_DEV_INFO> devices;
    ULONG count = 0;
    return SUCCEEDED(CoCreateInstance(CLSID_WiaDevMgr, nullptr, CLSCTX_LOCAL_SERVER, IID_IWiaDevMgr,
                                      manager.PutVoid())) &&
           SUCCEEDED(manager->EnumDeviceInfo(WIA_DEVINFO_ENUM_LOCAL, devices.Put())) &&
           SUCCEEDED(devices->GetCount(&count)) && count == kStandInDevices;
}

// COM can still hold the class of a server that has just ended, and hands
// it out until it is revoked: the stand-in is asked, on a thread with an
// apartment of its own, until it is the one that answers. It is then
// running when the caller asks next.
bool WaitForStandIn() {
    bool answered = false;
    std::thread asker([&] {
        if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {
            return;
        }
        const auto deadline = std::chrono::steady_clock::now() + kServerAnswerWait;
        while (!(answered = StandInAnswers()) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        CoUninitialize();
    });
    asker.join();
    return answered;
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
    registered_ = registered_ && WaitForStandIn();
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
