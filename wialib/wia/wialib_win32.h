#pragma once
// The camera library's public entry points: plain functions over a library
// context instead of WIA's COM interfaces. Failures are HRESULTs.
#include <objbase.h>
#include <wia.h>
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

class CDirectory;
struct WiaLibContext;

// Writes the listing of every camera to dumpPath; 0.
HRESULT WIALIBWRAPPER_Dump(const char16_t* dumpPath);
HRESULT WiaLib_RegisterDeregisterProgram(int threadFlag, const char16_t* commandLine,
    const char16_t* description, const char16_t* name, int iconIndex, int listing,
    int registerFlag, int recurse, int defaultHandler, const char16_t* deviceId, DWORD timeoutMs);
// How the device manager is made: CoCreateInstance(CLSID_WiaDevMgr, CLSCTX_LOCAL_SERVER) unless
// a test sets another source; null restores the default; returns the source used before.
using WiaDeviceManagerSource = HRESULT (*)(IWiaDevMgr** manager);
WiaDeviceManagerSource SetWiaDeviceManagerSource(WiaDeviceManagerSource source);

// The progress of a transfer: status, percent complete, user data, the data
// band (or null), its length and offset, and the target path. A negative
// result or 1 stops the transfer.
using WiaProgressCallback = LONG (*)(LONG status, LONG percent, void* userData, const BYTE* data,
                                     LONG length, LONG offset, const char16_t* target);
// A WIA event as WIA reports it, then the event's code (1 connected, 2
// disconnected, 3 item created, 4 item deleted, 0 other) and the user data.
using WiaEventFunction = HRESULT (*)(const GUID* event, BSTR eventDescription, BSTR deviceId,
                                     BSTR deviceDescription, DWORD deviceType, BSTR fullItemName,
                                     ULONG* eventType, ULONG reserved, int eventCode,
                                     void* userData);

HRESULT WiaLib_Init();
HRESULT WiaLib_DeInit();
// The listing goes to dumpPath (or the standard output) when listing is set;
// recurse lets folder walks go below the first folder level.
HRESULT WiaLib_CreateContext(WiaLibContext** context, int listing, int recurse,
                             const char16_t* dumpPath);
HRESULT WiaLib_DestroyContext(WiaLibContext** context);

// The cameras and video devices in WIA's order; names and serials optional.
HRESULT WiaLib_GetDevices(WiaLibContext* context, std::vector<std::u16string>* ids,
                          std::vector<std::u16string>* names,
                          std::vector<std::u16string>* serials);
// Fills directory with one entry per picture; propertyFlags 2 and 4 ask for
// width and height.
HRESULT WiaLib_GetDirlist(WiaLibContext* context, const char16_t* deviceId, CDirectory* directory,
                          int quiet, int propertyFlags, char16_t* deviceName,
                          std::size_t deviceNameUnits);
// The root item's property names and values into the directory's lists.
HRESULT WiaLib_GetDeviceProps(WiaLibContext* context, const char16_t* deviceId,
                              CDirectory* directory);
// mode 0 through a temporary file; 1 assembled in memory and written to
// target; 2 a bitmap handed to the callback at the end; else band by band.
HRESULT WiaLib_GetFile(WiaLibContext* context, const char16_t* deviceId,
                       const char16_t* fullItemName, const char16_t* extension,
                       const char16_t* target, WiaProgressCallback callback, void* userData,
                       int mode, IWiaItem* startItem);
HRESULT WiaLib_DeleteFile(WiaLibContext* context, const char16_t* deviceId,
                          const char16_t* fullItemName, const char16_t* extension,
                          IWiaItem* startItem);

HRESULT WiaLib_RegisterEventHandler(WiaLibContext* context, WiaEventFunction function,
                                    void* userData);
HRESULT WiaLib_DeRegisterEventHandler(WiaLibContext* context);
HRESULT WiaLib_DeviceCommand(WiaLibContext* context, const char16_t* deviceId,
                             const GUID* command);
HRESULT WiaLib_ReleaseInterface(IUnknown* object);
