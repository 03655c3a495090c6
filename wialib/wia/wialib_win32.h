#pragma once
// The camera library's public entry points used outside it.
#include <objbase.h>
#include <wia.h>
#include <windows.h>

// Writes the listing of every camera to dumpPath; 0.
HRESULT WIALIBWRAPPER_Dump(const char16_t* dumpPath);
HRESULT WiaLib_RegisterDeregisterProgram(int threadFlag, const char16_t* commandLine,
    const char16_t* description, const char16_t* name, int iconIndex, int listing,
    int registerFlag, int recurse, int defaultHandler, const char16_t* deviceId, DWORD timeoutMs);
// How the device manager is made: CoCreateInstance(CLSID_WiaDevMgr, CLSCTX_LOCAL_SERVER) unless
// a test sets another source; null restores the default; returns the source used before.
using WiaDeviceManagerSource = HRESULT (*)(IWiaDevMgr** manager);
WiaDeviceManagerSource SetWiaDeviceManagerSource(WiaDeviceManagerSource source);
