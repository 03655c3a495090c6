// The WIA device manager as a local server: the fake camera service in a
// process of its own, which COM starts for CLSID_WiaDevMgr once the test
// prefix names this program as the class's LocalServer32. It ends a few
// seconds after the last object it handed out was given back.
#include <objbase.h>
#include <wia.h>
#include <windows.h>

#include <atomic>

#include "tools/standins/wia_camera/fake_wia_camera_win32.h"

namespace {

constexpr DWORD kPollMs = 100;
// Long enough for a client that releases one device manager and makes the next.
constexpr DWORD kIdleEndMs = 1000;
// A server that nobody asks for ends too.
constexpr DWORD kUnusedEndMs = 30000;

// A client came: objects handed out and given back between two looks at
// the count still make the server used.
std::atomic<bool> served{false};

class DeviceManagerFactory final : public IClassFactory {
  public:
    HRESULT WINAPI QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // Lives as long as the process.
    ULONG WINAPI AddRef() override { return 2; }
    ULONG WINAPI Release() override { return 1; }
    HRESULT WINAPI CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = nullptr;
        if (outer != nullptr) {
            return CLASS_E_NOAGGREGATION;
        }
        served = true;
        IWiaDevMgr* manager = nullptr;
        const HRESULT created = CreateFakeWiaDeviceManager(&manager);
        if (FAILED(created)) {
            return created;
        }
        const HRESULT result = manager->QueryInterface(iid, out);
        manager->Release();
        return result;
    }
    HRESULT WINAPI LockServer(BOOL) override { return S_OK; }
};

}  // namespace

int wmain() {
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {
        return 1;
    }
    int exitCode = 0;
    {
        FakeWia wia;
        AddStandardDevices(wia);
        SetCurrentFakeWia(&wia);
        DeviceManagerFactory factory;
        DWORD cookie = 0;
        if (FAILED(CoRegisterClassObject(CLSID_WiaDevMgr, &factory, CLSCTX_LOCAL_SERVER,
                                         REGCLS_MULTIPLEUSE, &cookie))) {
            exitCode = 1;
        } else {
            DWORD idleMs = 0;
            DWORD unusedMs = 0;
            while (served ? idleMs < kIdleEndMs : unusedMs < kUnusedEndMs) {
                Sleep(kPollMs);
                idleMs = FakeWiaLiveObjects() > 0 ? 0 : idleMs + kPollMs;
                unusedMs += kPollMs;
            }
            CoRevokeClassObject(cookie);
        }
        SetCurrentFakeWia(nullptr);
    }
    CoUninitialize();
    return exitCode;
}
