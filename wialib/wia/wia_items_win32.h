#pragma once
// The walk of a camera's item tree below its root: properties listed, file
// items turned into directory entries, and the item an operation wants found
// and saved or deleted.
#include "wialib/wia/wia_devices_win32.h"

HRESULT ProcessItem(WiaLibContext* context, IWiaItem* item, CDirectory* directory,
                    DeviceTexts* texts, WiaItemInfo* info, int quiet, int propertyFlags,
                    int propertiesOnly, const char16_t* pathPrefix);

// pathPrefix null: the entries get no suffix.
HRESULT EnumerateItems(WiaLibContext* context, IWiaItem* item, CDirectory* directory,
                       int topLevel, WiaLibOperation* operation, DeviceTexts* texts, int quiet,
                       int propertyFlags, int propertiesOnly, const char16_t* pathPrefix);

// Finds the item the operation names, from startItem (a lower level, quiet)
// or through the device matcher, and does the operation; a failed walk's
// result, else the operation's.
HRESULT RunItemOperation(WiaLibContext* context, const char16_t* deviceId,
                         WiaLibOperation& operation, IWiaItem* startItem);

// The directory as a listing of files, like a folder listing.
void DumpDirTree(WiaLibContext* context, const CDirectory* directory, const char16_t* deviceName,
                 const char16_t* description, const char16_t* manufacturer);
