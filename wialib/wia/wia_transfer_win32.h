#pragma once
// What the walk does with the item an operation names: copy it to a file
// (through a temporary file, or band by band) or delete it.
#include "wialib/wia/wia_context_win32.h"

// Writes "lStatus: %d, lPercentComplete: %d" to the listing of the context
// given as user data; 0.
LONG DefaultDataCallback(LONG status, LONG percent, void* userData, const BYTE* data, LONG length,
                         LONG offset, const char16_t* target);

// formatGuid: braced text; text that does not parse means JPEG.
HRESULT TransferWiaItem(WiaLibContext* context, IWiaItem* item, const char16_t* target,
                        const char16_t* formatGuid, WiaProgressCallback callback, void* userData);
HRESULT TransferWiaItemDirect(WiaLibContext* context, IWiaItem* item, const char16_t* target,
                              const char16_t* formatGuid, WiaProgressCallback callback,
                              void* userData, int mode);
HRESULT DeleteWiaItem(WiaLibContext* context, IWiaItem* item);
