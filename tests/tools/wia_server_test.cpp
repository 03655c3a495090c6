// The local-server stand-in of the WIA device manager, reached as the
// applet reaches the device manager: by COM, out of process. What Wine
// marshals of it is the device manager and its device list; the property
// storages and items it hands out arrive as proxies without their methods,
// so only counts and registrations are read here.
#include <objbase.h>
#include <wia.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "common/win32/ownership_win32.h"
#include "tests/support/wia_server_registration_win32.h"

namespace {

class WiaServer : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(registration_.Registered());
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
    }
    void TearDown() override { CoUninitialize(); }

    static ComRef<IWiaDevMgr> Manager() {
        ComRef<IWiaDevMgr> manager;
        const HRESULT created = CoCreateInstance(CLSID_WiaDevMgr, nullptr, CLSCTX_LOCAL_SERVER,
                                                 IID_IWiaDevMgr, manager.PutVoid());
        EXPECT_EQ(created, S_OK);
        return manager;
    }

    WiaServerRegistration registration_;
};

TEST_F(WiaServer, ServesTheFakeCamerasDeviceListOutOfProcess) {
    const ComRef<IWiaDevMgr> manager = Manager();
    ASSERT_TRUE(manager);
    ComRef<IEnumWIA_DEV_INFO> devices;
    ASSERT_EQ(manager->EnumDeviceInfo(WIA_DEVINFO_ENUM_LOCAL, devices.Put()), S_OK);
    ULONG count = 0;
    ASSERT_EQ(devices->GetCount(&count), S_OK);
    // The two cameras, the scanner and the device whose id is no text.
    EXPECT_EQ(count, 4U);
}

TEST_F(WiaServer, TakesAProgramRegistration) {
    const ComRef<IWiaDevMgr> manager = Manager();
    ASSERT_TRUE(manager);
    BSTR command = SysAllocString(L"C:\\Camfolio\\Camfolio.exe");
    BSTR name = SysAllocString(L"Camfolio");
    BSTR description = SysAllocString(L"Map this camera to a drive letter");
    BSTR icon = SysAllocString(L"C:\\Camfolio\\Camfolio.exe,0");
    EXPECT_EQ(manager->RegisterEventCallbackProgram(WIA_REGISTER_EVENT_CALLBACK, nullptr,
                                                    &WIA_EVENT_DEVICE_CONNECTED, command, name,
                                                    description, icon),
              S_OK);
    for (BSTR text : {command, name, description, icon}) {
        SysFreeString(text);
    }
}

}  // namespace
