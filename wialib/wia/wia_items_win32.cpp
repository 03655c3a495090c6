#include "wialib/wia/wia_items_win32.h"

#include <string>

#include "diag/trace/trace.h"
#include "state/directory/directory.h"
#include "wialib/wia/wia_property_ids.h"
#include "wialib/wia/wia_tags.h"
#include "wialib/wia/wia_transfer_win32.h"

namespace {

// The directory's flag that says the camera has folders below the first level.
constexpr int kMultipleLevels = 0x1;

bool IsWanted(const WiaLibOperation& operation) {
    return operation.kind == WiaOperationKind::GetFile ||
           operation.kind == WiaOperationKind::DeleteFile;
}

// Saves or deletes a file item when it is the one the operation names.
void HandleFileItem(WiaLibContext* context, IWiaItem* item, const WiaItemInfo& info,
                    WiaLibOperation& operation) {
    if (operation.fullItemName == nullptr ||
        std::u16string_view(operation.fullItemName) != info.fullItemName) {
        operation.result = E_FAIL;
        return;
    }
    const bool saving = operation.kind == WiaOperationKind::GetFile;
    TracePrint(kEnumerateItemsTag, saving ? u"Found item to save: %s" : u"Found item to delete: %s",
               info.fullItemName);
    if (operation.extension != nullptr &&
        std::u16string_view(operation.extension) != info.extension) {
        return;
    }
    if (saving) {
        TracePrint(kEnumerateItemsTag, u"About to save %s", info.fullItemName);
        operation.result =
            operation.mode == 0
                ? TransferWiaItem(context, item, operation.target, info.formatGuid,
                                  operation.callback, operation.userData)
                : TransferWiaItemDirect(context, item, operation.target, info.formatGuid,
                                        operation.callback, operation.userData, operation.mode);
        TracePrint(kEnumerateItemsTag, u"Finished saving %s", info.fullItemName);
    } else {
        TracePrint(kEnumerateItemsTag, u"About to delete %s", info.fullItemName);
        operation.result = DeleteWiaItem(context, item);
        TracePrint(kEnumerateItemsTag, u"Finished deleting %s", info.fullItemName);
    }
}

}  // namespace

HRESULT ProcessItem(WiaLibContext* context, IWiaItem* item, CDirectory* directory,
                    DeviceTexts* texts, WiaItemInfo* info, int quiet, int propertyFlags,
                    int propertiesOnly, const char16_t* pathPrefix) {
    TraceEnter(kProcessItemTag);
    if (item == nullptr) {
        TraceResult(kProcessItemTag, 1, E_INVALIDARG);
        return E_INVALIDARG;
    }
    ComRef<IWiaPropertyStorage> storage;
    HRESULT hr = item->QueryInterface(IID_IWiaPropertyStorage, storage.PutVoid());
    if (FAILED(hr) || !storage) {
        ListingError(context, u"pWiaItem->QueryInterface failed on IWiaPropertyStorage", hr);
        TraceResult(kProcessItemTag, 2, FAILED(hr) ? hr : E_NOINTERFACE);
        return FAILED(hr) ? hr : E_NOINTERFACE;
    }
    PropertyReading reading;
    reading.directory = directory;
    reading.texts = texts;
    reading.info = info;
    reading.quiet = quiet;
    reading.item = item;
    reading.propertyFlags = propertyFlags;
    reading.collect = propertiesOnly;
    reading.pathPrefix = pathPrefix;
    hr = ProcessProperties(context, storage.Get(), reading);
    TraceResult(kProcessItemTag, hr);
    return hr;
}

HRESULT EnumerateItems(WiaLibContext* context, IWiaItem* item, CDirectory* directory, int topLevel,
                       WiaLibOperation* operation, DeviceTexts* texts, int quiet, int propertyFlags,
                       int propertiesOnly, const char16_t* pathPrefix) {
    TraceEnter(kEnumerateItemsTag);
    if (item == nullptr) {
        TraceResult(kEnumerateItemsTag, 1, E_INVALIDARG);
        return E_INVALIDARG;
    }
    LONG type = 0;
    HRESULT hr = item->GetItemType(&type);
    if (FAILED(hr)) {
        TraceResult(kEnumerateItemsTag, 2, hr);
        return hr;
    }
    WiaItemInfo info;
    hr = ProcessItem(context, item, directory, texts, &info, quiet, propertyFlags,
                     topLevel != 0 ? propertiesOnly : 0, pathPrefix);
    if (FAILED(hr)) {
        TraceResult(kEnumerateItemsTag, 3, hr);
        return hr;
    }
    TracePrint(kEnumerateItemsTag, u"Enumerating: %s", info.fullItemName);
    if (propertiesOnly != 0) {
        TraceResult(kEnumerateItemsTag, 4, hr);
        return hr;
    }
    if (operation != nullptr && IsWanted(*operation) && (type & kItemFile) != 0) {
        HandleFileItem(context, item, info, *operation);
        // Done: the file's attachments would only overwrite its result.
        if (SUCCEEDED(operation->result)) {
            TraceResult(kEnumerateItemsTag, hr);
            return hr;
        }
    }
    if ((type & (kItemFolder | kItemHasAttachments)) != 0) {
        if (topLevel == 0) {
            if (directory != nullptr) {
                if ((directory->GetFlags() & kMultipleLevels) == 0) {
                    TracePrint(kEnumerateItemsTag, u"Multiple directory levels detected.");
                }
                directory->SetFlags(directory->GetFlags() | kMultipleLevels);
            }
            if (context->recurse == 0) {
                TraceResult(kEnumerateItemsTag, 5, hr);
                return hr;
            }
        }
        ComRef<IEnumWiaItem> children;
        hr = item->EnumChildItems(children.Put());
        if (SUCCEEDED(hr) && children) {
            hr = children->Reset();
        }
        std::u16string childPrefix;
        if (pathPrefix != nullptr) {
            childPrefix = topLevel != 0 ? std::u16string(u"\\")
                                        : std::u16string(pathPrefix) + info.itemName + u"\\";
        }
        while (SUCCEEDED(hr) && children) {
            ComRef<IWiaItem> child;
            ULONG fetched = 0;
            hr = children->Next(1, child.Put(), &fetched);
            if (FAILED(hr)) {
                ListingError(context, u"Error calling pEnumWiaItem->Next", hr);
                break;
            }
            if (hr != S_OK || fetched != 1 || !child) {
                break;
            }
            // A child that cannot be read does not hide its siblings.
            hr = EnumerateItems(context, child.Get(), directory, 0, operation, texts, quiet,
                                propertyFlags, 0,
                                pathPrefix != nullptr ? childPrefix.c_str() : nullptr);
            if (operation != nullptr && IsWanted(*operation) && SUCCEEDED(operation->result)) {
                break;
            }
            if (FAILED(hr)) {
                hr = S_OK;
            }
        }
    }
    hr = WithoutFalse(hr);
    TraceResult(kEnumerateItemsTag, hr);
    return hr;
}

HRESULT RunItemOperation(WiaLibContext* context, const char16_t* deviceId,
                         WiaLibOperation& operation, IWiaItem* startItem) {
    HRESULT hr = S_OK;
    if (startItem != nullptr) {
        DeviceTexts texts;
        hr = EnumerateItems(context, startItem, nullptr, 0, &operation, &texts, 1, 0, 0, nullptr);
    } else {
        hr = _WiaEnumerator(context, deviceId, nullptr, &operation, 1, 0, 0, nullptr, 0);
    }
    return FAILED(hr) ? hr : operation.result;
}
