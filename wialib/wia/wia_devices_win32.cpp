#include "wialib/wia/wia_devices_win32.h"

#include "common/win32/wide_win32.h"
#include "diag/strings/bounded_string.h"
#include "diag/trace/trace.h"
#include "state/directory/directory.h"
#include "wialib/names/result_name.h"
#include "wialib/values/pnp_serial.h"
#include "wialib/wia/wia_items_win32.h"
#include "wialib/wia/wia_property_ids.h"
#include "wialib/wia/wia_property_lines.h"
#include "wialib/wia/wia_tags.h"

namespace {

// The local devices' information entries, reset to the first.
HRESULT OpenDeviceList(WiaLibContext* context, const char16_t* tag,
                       ComRef<IEnumWIA_DEV_INFO>& devices) {
    HRESULT hr = context->deviceManager->EnumDeviceInfo(WIA_DEVINFO_ENUM_LOCAL, devices.Put());
    if (FAILED(hr) || !devices) {
        ListingError(context, u"Error calling IWiaDevMgr::EnumDeviceInfo", hr);
        return FAILED(hr) ? hr : E_FAIL;
    }
    hr = devices->Reset();
    TracePrint(tag, u"0x%08X", static_cast<std::uint32_t>(hr));
    if (FAILED(hr)) {
        ListingError(context, u"Error calling IEnumWIA_DEV_INFO::Reset()", hr);
    }
    return hr;
}

// The next entry; S_FALSE at the end.
HRESULT NextDevice(WiaLibContext* context, IEnumWIA_DEV_INFO* devices,
                   ComRef<IWiaPropertyStorage>& entry) {
    ULONG fetched = 0;
    const HRESULT hr = devices->Next(1, entry.Put(), &fetched);
    if (FAILED(hr)) {
        ListingError(context, u"Error calling pWiaEnumDevInfo->Next", hr);
        return hr;
    }
    return hr == S_OK && fetched == 1 && entry ? S_OK : S_FALSE;
}

const char16_t* TextOf(const PROPVARIANT& value) {
    return value.vt == VT_BSTR && value.bstrVal != nullptr ? AsU16(value.bstrVal) : nullptr;
}

LONG KindOf(const PROPVARIANT& type) {
    return static_cast<LONG>(static_cast<std::uint32_t>(type.lVal) >> 16);
}

// On the matching entry: list it, open the device and do the operation.
HRESULT HandleDevice(WiaLibContext* context, IWiaPropertyStorage* entry, long number,
                     const PROPVARIANT& type, const char16_t* deviceId, CDirectory* directory,
                     WiaLibOperation* operation, int quiet, int propertiesOnly,
                     int propertyFlags, DeviceTexts& texts) {
    if (type.vt == VT_I4) {
        if (number > 1) {
            ListingPrint(context, u"\n");
        }
        ListingPrint(context, u"Device %ld = %s\n", number, DeviceKindName(type.lVal));
    }
    if (type.vt != VT_I4 || (KindOf(type) != kCameraKind && KindOf(type) != kVideoKind)) {
        return S_OK;
    }
    PropertyReading reading;
    reading.texts = &texts;
    reading.headerSuffix = u"-unconnected";
    reading.quiet = quiet != 0 ? 1 : 0;
    HRESULT hr = ProcessProperties(context, entry, reading);
    context->currentDeviceId.Reset(SysAllocString(AsWide(deviceId)));
    ComRef<IWiaItem> root;
    hr = CreateWiaDevice(context, context->deviceManager.Get(), deviceId, root.Put());
    if (FAILED(hr) || !root) {
        ListingError(context, u"Error calling CreateWiaDevice", hr);
        return FAILED(hr) ? hr : E_FAIL;
    }
    if (operation != nullptr && operation->kind == WiaOperationKind::DeviceCommand) {
        ComRef<IWiaItem> made;
        operation->commandResult = root->DeviceCommand(0, operation->command, made.Put());
        return operation->commandResult;
    }
    WiaItemInfo info;
    hr = EnumerateItems(context, root.Get(), directory, 1, operation, &texts, quiet,
                        propertyFlags, propertiesOnly, u"");
    if (propertiesOnly == 0 && operation != nullptr && operation->kind == WiaOperationKind::List) {
        root->AddRef();
        context->cachedRoot.Reset(root.Get());
    }
    return hr;
}

}  // namespace

HRESULT WiaLib_GetDevices(WiaLibContext* context, std::vector<std::u16string>* ids,
                          std::vector<std::u16string>* names,
                          std::vector<std::u16string>* serials) {
    TraceEnter(kGetDevicesTag);
    if (!IsValidContext(context) || !context->deviceManager || ids == nullptr) {
        TraceResult(kGetDevicesTag, 1, E_INVALIDARG);
        return E_INVALIDARG;
    }
    ComRef<IEnumWIA_DEV_INFO> devices;
    HRESULT hr = OpenDeviceList(context, kGetDevicesTag, devices);
    if (FAILED(hr)) {
        TraceResult(kGetDevicesTag, 2, hr);
        return hr;
    }
    for (;;) {
        ComRef<IWiaPropertyStorage> entry;
        hr = NextDevice(context, devices.Get(), entry);
        if (hr != S_OK) {
            break;
        }
        const std::array<PROPSPEC, 4> specs{
            PropertySpec(wia_prop::kDeviceId), PropertySpec(wia_prop::kDeviceName),
            PropertySpec(wia_prop::kPnpId), PropertySpec(wia_prop::kDeviceType)};
        PropVariants<4> values;
        hr = entry->ReadMultiple(static_cast<ULONG>(specs.size()), specs.data(), values.Data());
        if (FAILED(hr)) {
            break;
        }
        const char16_t* id = TextOf(values[0]);
        const bool scanner = values[3].vt == VT_I4 && KindOf(values[3]) == kScannerKind;
        if (scanner || id == nullptr) {
            continue;
        }
        TracePrint(kGetDevicesTag, u"ID=%s", id);
        ids->emplace_back(id);
        if (names != nullptr) {
            const char16_t* name = TextOf(values[1]);
            TracePrint(kGetDevicesTag, u"Desc=%s", name != nullptr ? name : u"");
            names->emplace_back(name != nullptr ? name : u"");
        }
        if (serials != nullptr) {
            const char16_t* pnpId = TextOf(values[2]);
            TracePrint(kGetDevicesTag, u"PnpId=%s", pnpId != nullptr ? pnpId : u"");
            serials->push_back(pnpId != nullptr ? SerialFromPnpId(pnpId) : std::u16string());
        }
    }
    hr = WithoutFalse(hr);
    TraceResult(kGetDevicesTag, hr);
    return hr;
}

HRESULT CreateWiaDevice(WiaLibContext* context, IWiaDevMgr* manager, const char16_t* deviceId,
                        IWiaItem** root) {
    TraceEnter(kCreateWiaDeviceTag);
    if (manager == nullptr || deviceId == nullptr || root == nullptr) {
        TraceResult(kCreateWiaDeviceTag, 1, E_INVALIDARG);
        return E_INVALIDARG;
    }
    *root = nullptr;
    UniqueBstr id(SysAllocString(AsWide(deviceId)));
    const HRESULT hr = manager->CreateDevice(id.Get(), root);
    if (FAILED(hr)) {
        ListingPrint(context, u"Error calling IWiaDevMgr::CreateDevice: hr=%s\n",
                     ResultName(static_cast<std::uint32_t>(hr)));
    }
    TraceResult(kCreateWiaDeviceTag, hr);
    return hr;
}

HRESULT _WiaEnumerator(WiaLibContext* context, const char16_t* deviceId, CDirectory* directory,
                       WiaLibOperation* operation, int quiet, int propertiesOnly,
                       int propertyFlags, char16_t* deviceName, std::size_t deviceNameUnits) {
    TraceEnter(kWiaEnumeratorTag);
    if (!IsValidContext(context) || !context->deviceManager || deviceId == nullptr) {
        TraceResult(kWiaEnumeratorTag, 1, E_INVALIDARG);
        return E_INVALIDARG;
    }
    DeviceTexts texts;
    ComRef<IEnumWIA_DEV_INFO> devices;
    HRESULT hr = OpenDeviceList(context, kWiaEnumeratorTag, devices);
    if (FAILED(hr)) {
        TraceResult(kWiaEnumeratorTag, 2, hr);
        return hr;
    }
    for (long number = 1;; ++number) {
        ComRef<IWiaPropertyStorage> entry;
        hr = NextDevice(context, devices.Get(), entry);
        if (hr != S_OK) {
            break;
        }
        const std::array<PROPSPEC, 2> specs{PropertySpec(wia_prop::kDeviceId),
                                            PropertySpec(wia_prop::kDeviceType)};
        PropVariants<2> values;
        hr = entry->ReadMultiple(static_cast<ULONG>(specs.size()), specs.data(), values.Data());
        if (FAILED(hr)) {
            break;
        }
        const char16_t* id = TextOf(values[0]);
        if (id == nullptr) {
            break;
        }
        if (std::u16string_view(id) != deviceId) {
            continue;
        }
        hr = HandleDevice(context, entry.Get(), number, values[1], deviceId, directory, operation,
                          quiet, propertiesOnly, propertyFlags, texts);
        break;
    }
    if (quiet == 0 && propertiesOnly == 0 && directory != nullptr) {
        DumpDirTree(context, directory, texts.name, texts.description, texts.manufacturer);
    }
    if (deviceName != nullptr && deviceNameUnits != 0) {
        _TcsCpy(deviceName, deviceNameUnits, texts.name);
    }
    hr = WithoutFalse(hr);
    TraceResult(kWiaEnumeratorTag, hr);
    return hr;
}

HRESULT WiaLib_GetDeviceProps(WiaLibContext* context, const char16_t* deviceId,
                              CDirectory* directory) {
    TraceEnter(kGetDevicePropsTag);
    if (directory != nullptr) {
        directory->Cleanup(false);
        directory->Init(nullptr);
    }
    WiaLibOperation operation;
    operation.kind = WiaOperationKind::List;
    const HRESULT hr =
        _WiaEnumerator(context, deviceId, directory, &operation, 0, 1, 0, nullptr, 0);
    TraceResult(kGetDevicePropsTag, hr);
    return hr;
}

HRESULT WiaLib_GetDirlist(WiaLibContext* context, const char16_t* deviceId, CDirectory* directory,
                          int quiet, int propertyFlags, char16_t* deviceName,
                          std::size_t deviceNameUnits) {
    TraceEnter(kGetDirlistTag);
    if (directory != nullptr) {
        directory->Cleanup(false);
        directory->Init(nullptr);
    }
    WiaLibOperation operation;
    operation.kind = WiaOperationKind::List;
    const HRESULT hr = _WiaEnumerator(context, deviceId, directory, &operation, quiet, 0,
                                      propertyFlags, deviceName, deviceNameUnits);
    TraceResult(kGetDirlistTag, hr);
    return hr;
}
