#pragma once
// Finding a device by its id and doing one operation on it: the core of
// every per-device call of the library.
#include <cstddef>

#include "wialib/wia/wia_context_win32.h"
#include "wialib/wia/wia_properties_win32.h"

enum class WiaOperationKind { List = 1, GetFile = 2, DeleteFile = 3, DeviceCommand = 4 };

// What to do once the device is found.
struct WiaLibOperation {
    WiaOperationKind kind = WiaOperationKind::List;
    // Get and delete: the wanted item and, optionally, the extension it must have.
    const char16_t* fullItemName = nullptr;
    const char16_t* extension = nullptr;
    // Get: where the file goes and how.
    const char16_t* target = nullptr;
    WiaProgressCallback callback = nullptr;
    void* userData = nullptr;
    int mode = 0;
    // Get and delete: E_FAIL until the item is found and handled.
    HRESULT result = E_FAIL;
    // Device command: the command and its result.
    const GUID* command = nullptr;
    HRESULT commandResult = S_OK;
};

HRESULT CreateWiaDevice(WiaLibContext* context, IWiaDevMgr* manager, const char16_t* deviceId,
                        IWiaItem** root);

HRESULT _WiaEnumerator(WiaLibContext* context, const char16_t* deviceId, CDirectory* directory,
                       WiaLibOperation* operation, int quiet, int propertiesOnly,
                       int propertyFlags, char16_t* deviceName, std::size_t deviceNameUnits);
