// Deleting the item a full item name names.
#include "common/windows_version/windows_version.h"
#include "diag/trace/trace.h"
#include "wialib/wia/wia_items_win32.h"
#include "wialib/wia/wia_tags.h"
#include "wialib/wia/wia_transfer_win32.h"

namespace {

// The systems on which deleting from the camera is left alone.
constexpr std::uint32_t kDeleteDisabled =
    (winver::kVista | winver::kServer2008) & ~winver::kNtFamily;

}  // namespace

HRESULT DeleteWiaItem(WiaLibContext* context, IWiaItem* item) {
    TraceEnter(kDeleteWiaItemTag);
    if (item == nullptr) {
        TraceResult(kDeleteWiaItemTag, 1, E_INVALIDARG);
        return E_INVALIDARG;
    }
    const HRESULT hr = item->DeleteItem(0);
    if (FAILED(hr)) {
        ListingError(context, u"Error deleting item", hr);
    }
    TraceResult(kDeleteWiaItemTag, hr);
    return hr;
}

HRESULT WiaLib_DeleteFile(WiaLibContext* context, const char16_t* deviceId,
                          const char16_t* fullItemName, const char16_t* extension,
                          IWiaItem* startItem) {
    TraceEnter(kDeleteFileTag);
    if ((GetWindowsVersionFlags(nullptr, 0) & kDeleteDisabled) != 0) {
        TracePrint(kDeleteFileTag, u"DeleteFile is disabled on Vista/2008 platform.");
        TraceResult(kDeleteFileTag, 1, E_NOTIMPL);
        return E_NOTIMPL;
    }
    if (!IsValidContext(context) || deviceId == nullptr || fullItemName == nullptr) {
        TraceResult(kDeleteFileTag, 2, E_INVALIDARG);
        return E_INVALIDARG;
    }
    WiaLibOperation operation;
    operation.kind = WiaOperationKind::DeleteFile;
    operation.fullItemName = fullItemName;
    operation.extension = extension;
    const HRESULT hr = RunItemOperation(context, deviceId, operation, startItem);
    TraceResult(kDeleteFileTag, hr);
    return hr;
}
