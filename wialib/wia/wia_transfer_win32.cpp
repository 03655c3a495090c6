#include "wialib/wia/wia_transfer_win32.h"

#include <algorithm>

#include "common/win32/wide_win32.h"
#include "diag/trace/trace.h"
#include "wialib/wia/wia_data_callback_win32.h"
#include "wialib/wia/wia_devices_win32.h"
#include "wialib/wia/wia_guid_win32.h"
#include "wialib/wia/wia_items_win32.h"
#include "wialib/wia/wia_property_ids.h"
#include "wialib/wia/wia_tags.h"

namespace {

constexpr LONG kDefaultMinBuffer = 65536;
constexpr ULONG kMaxBandBuffer = 0x400000;

GUID FormatOf(const char16_t* text) {
    GUID format{};
    return ParseGuidText(text, &format) ? format : WiaImgFmt_JPEG;
}

HRESULT WriteProperty(IWiaPropertyStorage* storage, PROPID id, const PROPVARIANT& value) {
    const PROPSPEC spec = PropertySpec(id);
    return storage->WriteMultiple(1, &spec, &value, wia_prop::kFirstNewId);
}

PROPVARIANT IntValue(LONG value) {
    PROPVARIANT variant;
    PropVariantInit(&variant);
    variant.vt = VT_I4;
    variant.lVal = value;
    return variant;
}

PROPVARIANT GuidValue(GUID* value) {
    PROPVARIANT variant;
    PropVariantInit(&variant);
    variant.vt = VT_CLSID;
    variant.puuid = value;
    return variant;
}

LONG MinBufferSize(IWiaPropertyStorage* storage) {
    const PROPSPEC spec = PropertySpec(wia_prop::kMinBufferSize);
    PropVariants<1> value;
    if (FAILED(storage->ReadMultiple(1, &spec, value.Data())) || value[0].vt != VT_I4 ||
        value[0].lVal <= 0) {
        return kDefaultMinBuffer;
    }
    return value[0].lVal;
}

}  // namespace

LONG DefaultDataCallback(LONG status, LONG percent, void* userData, const BYTE*, LONG, LONG,
                         const char16_t*) {
    TraceEnter(kDefaultDataCallbackTag);
    ListingPrint(static_cast<WiaLibContext*>(userData), u"lStatus: %d, lPercentComplete: %d\n",
                 static_cast<int>(status), static_cast<int>(percent));
    TraceResult(kDefaultDataCallbackTag, S_OK);
    return 0;
}

HRESULT TransferWiaItem(WiaLibContext* context, IWiaItem* item, const char16_t* target,
                        const char16_t* formatGuid, WiaProgressCallback callback, void* userData) {
    TraceEnter(kTransferWiaItemTag);
    if (item == nullptr || target == nullptr) {
        TraceResult(kTransferWiaItemTag, 1, E_INVALIDARG);
        return E_INVALIDARG;
    }
    ComRef<IWiaPropertyStorage> storage;
    HRESULT hr = item->QueryInterface(IID_IWiaPropertyStorage, storage.PutVoid());
    if (FAILED(hr) || !storage) {
        ListingError(context, u"pWiaItem->QueryInterface failed on IWiaPropertyStorage", hr);
        TraceResult(kTransferWiaItemTag, 2, FAILED(hr) ? hr : E_NOINTERFACE);
        return FAILED(hr) ? hr : E_NOINTERFACE;
    }
    GUID format = FormatOf(formatGuid);
    const std::array<PROPSPEC, 2> specs{PropertySpec(wia_prop::kFormat),
                                        PropertySpec(wia_prop::kTymed)};
    const std::array<PROPVARIANT, 2> values{GuidValue(&format), IntValue(TYMED_FILE)};
    hr = storage->WriteMultiple(2, specs.data(), values.data(), wia_prop::kFirstNewId);
    if (FAILED(hr)) {
        TraceResult(kTransferWiaItemTag, 3, hr);
        return hr;
    }
    ComRef<IWiaDataTransfer> transfer;
    hr = item->QueryInterface(IID_IWiaDataTransfer, transfer.PutVoid());
    if (FAILED(hr) || !transfer) {
        ListingError(context, u"pWiaItem->QueryInterface failed on IWiaDataTransfer", hr);
        TraceResult(kTransferWiaItemTag, 4, FAILED(hr) ? hr : E_NOINTERFACE);
        return FAILED(hr) ? hr : E_NOINTERFACE;
    }
    ComRef<CWiaDataCallback> receiver(
        new (std::nothrow) CWiaDataCallback(context, callback != nullptr ? callback : DefaultDataCallback,
                                            callback != nullptr ? userData : context, 0, nullptr));
    if (!receiver) {
        ListingError(context, u"Unable to create CWiaDataCallback class instance", E_OUTOFMEMORY);
        TraceResult(kTransferWiaItemTag, 5, E_OUTOFMEMORY);
        return E_OUTOFMEMORY;
    }
    ComRef<IWiaDataCallback> asCallback;
    hr = receiver->QueryInterface(IID_IWiaDataCallback, asCallback.PutVoid());
    if (FAILED(hr)) {
        ListingError(context, u"pCallback->QueryInterface failed on IWiaDataCallback", hr);
        TraceResult(kTransferWiaItemTag, 6, hr);
        return hr;
    }
    StorageMedium medium;
    medium.Get()->tymed = TYMED_FILE;
    hr = transfer->idtGetData(medium.Get(), asCallback.Get());
    if (hr != S_OK) {
        ListingError(context, u"pWiaDataTransfer->idtGetData failed", hr);
        TraceResult(kTransferWiaItemTag, 7, hr);
        return hr;
    }
    const wchar_t* temporary = (*medium).lpszFileName;
    if (temporary == nullptr) {
        TraceResult(kTransferWiaItemTag, 8, E_FAIL);
        return E_FAIL;
    }
    ListingPrint(context, u"Transferred filename: %s\n", AsU16(temporary));
    if (CopyFileW(temporary, AsWide(target), FALSE) == FALSE) {
        hr = HRESULT_FROM_WIN32(GetLastError());
    }
    TraceResult(kTransferWiaItemTag, hr);
    return hr;
}

HRESULT TransferWiaItemDirect(WiaLibContext* context, IWiaItem* item, const char16_t* target,
                              const char16_t* formatGuid, WiaProgressCallback callback,
                              void* userData, int mode) {
    TraceEnter(kTransferWiaItemDirectTag);
    if (item == nullptr) {
        TraceResult(kTransferWiaItemDirectTag, 1, E_INVALIDARG);
        return E_INVALIDARG;
    }
    ComRef<CWiaDataCallback> receiver(new (std::nothrow) CWiaDataCallback(
        context, callback != nullptr ? callback : DefaultDataCallback,
        callback != nullptr ? userData : context, mode, target));
    if (!receiver) {
        TraceResult(kTransferWiaItemDirectTag, 2, E_OUTOFMEMORY);
        return E_OUTOFMEMORY;
    }
    ComRef<IWiaPropertyStorage> storage;
    ComRef<IWiaDataTransfer> transfer;
    if (FAILED(item->QueryInterface(IID_IWiaPropertyStorage, storage.PutVoid())) ||
        FAILED(item->QueryInterface(IID_IWiaDataTransfer, transfer.PutVoid())) || !storage ||
        !transfer) {
        TraceResult(kTransferWiaItemDirectTag, 3, E_NOINTERFACE);
        return E_NOINTERFACE;
    }
    HRESULT hr = WriteProperty(storage.Get(), wia_prop::kTymed, IntValue(TYMED_CALLBACK));
    if (FAILED(hr)) {
        TracePrint(kTransferWiaItemDirectTag, u"TYMED_CALLBACK: 0x%08X",
                   static_cast<std::uint32_t>(hr));
    }
    GUID format = FormatOf(formatGuid);
    hr = WriteProperty(storage.Get(), wia_prop::kFormat, GuidValue(&format));
    if (FAILED(hr)) {
        TraceResult(kTransferWiaItemDirectTag, 4, hr);
        return hr;
    }
    const ULONG minimum = static_cast<ULONG>(MinBufferSize(storage.Get()));
    WIA_DATA_TRANSFER_INFO info{};
    info.ulSize = sizeof info;
    info.ulSection = 0;
    info.ulBufferSize = std::min(minimum * 2, kMaxBandBuffer);
    info.bDoubleBuffer = TRUE;
    hr = transfer->idtGetBandedData(&info, receiver.Get());
    TraceResult(kTransferWiaItemDirectTag, hr);
    return hr;
}

HRESULT WiaLib_GetFile(WiaLibContext* context, const char16_t* deviceId,
                       const char16_t* fullItemName, const char16_t* extension,
                       const char16_t* target, WiaProgressCallback callback, void* userData,
                       int mode, IWiaItem* startItem) {
    TraceEnter(kGetFileTag);
    if (!IsValidContext(context) || deviceId == nullptr || fullItemName == nullptr ||
        target == nullptr) {
        TraceResult(kGetFileTag, 1, E_INVALIDARG);
        return E_INVALIDARG;
    }
    WiaLibOperation operation;
    operation.kind = WiaOperationKind::GetFile;
    operation.fullItemName = fullItemName;
    operation.extension = extension;
    operation.target = target;
    operation.callback = callback;
    operation.userData = userData;
    operation.mode = mode;
    const HRESULT hr = RunItemOperation(context, deviceId, operation, startItem);
    TraceResult(kGetFileTag, hr);
    return hr;
}
