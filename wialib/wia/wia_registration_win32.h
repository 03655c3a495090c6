#pragma once
// The persistent registration of a program as handler of the "Camera
// Connected" event, and its removal.
#include "wialib/wia/wialib_win32.h"

// What the registration routine needs; the strings belong to the caller.
struct WiaRegistrationRequest {
    int registerFlag = 0;
    int listing = 0;
    int recurse = 0;
    int defaultHandler = 0;
    BSTR commandLine = nullptr;
    BSTR name = nullptr;
    BSTR description = nullptr;
    BSTR icon = nullptr;
    BSTR deviceId = nullptr;  // null: all devices
};

// The exit code of a registration thread that did not finish in time.
inline constexpr DWORD kForcedRegistrationExit = 0xDEAD0104;

// The WIA flags: 4 (default handler) with a device id and the default-handler
// flag, else 1; 2 whenever the request removes.
LONG RegistrationFlags(const WiaRegistrationRequest& request);
HRESULT RegisterDeregisterProgram(const WiaRegistrationRequest* request);
