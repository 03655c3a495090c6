#include "wialib/wia/wia_event_callback_win32.h"

#include <cstdint>

#include "diag/trace/trace.h"
#include "wialib/names/guid_name.h"
#include "wialib/wia/wia_context_win32.h"
#include "wialib/wia/wia_guid_win32.h"
#include "wialib/wia/wia_tags.h"

namespace {

struct EventEntry {
    const GUID* event;
    int code;
    const char16_t* registering;
};

const std::array<EventEntry, 4> kEvents{{
    {&WIA_EVENT_DEVICE_CONNECTED, 1, u"Registering for WIA_EVENT_DEVICE_CONNECTED event"},
    {&WIA_EVENT_DEVICE_DISCONNECTED, 2, u"Registering for WIA_EVENT_DEVICE_DISCONNECTED event"},
    {&WIA_EVENT_ITEM_CREATED, 3, u"Registering for WIA_EVENT_ITEM_CREATED event"},
    {&WIA_EVENT_ITEM_DELETED, 4, u"Registering for WIA_EVENT_ITEM_DELETED event"},
}};

std::uint32_t Address(const void* object) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(object));
}

}  // namespace

int WiaEventCode(const GUID& event) {
    for (const EventEntry& entry : kEvents) {
        if (IsEqualGUID(event, *entry.event)) {
            return entry.code;
        }
    }
    return 0;
}

CWiaEventCallback::CWiaEventCallback() {
    TracePrint(kEventCallbackCreateTag, u": (0x%08X) S=%d", Address(this),
               static_cast<int>(references_.load()));
}

CWiaEventCallback::~CWiaEventCallback() {
    TraceEnter(kEventCallbackDestroyTag);
    TraceLeave(kEventCallbackDestroyTag);
}

HRESULT CWiaEventCallback::QueryInterface(REFIID iid, void** out) {
    GuidName(kEventCallbackQueryInterfaceTag, ToGuid(iid), kNoGuidNumber);
    HRESULT hr = S_OK;
    if (out == nullptr) {
        hr = E_POINTER;
    } else if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IWiaEventCallback)) {
        *out = static_cast<IWiaEventCallback*>(this);
        AddRef();
    } else {
        *out = nullptr;
        hr = E_NOINTERFACE;
    }
    TraceResult(kEventCallbackQueryInterfaceTag, hr);
    return hr;
}

ULONG CWiaEventCallback::AddRef() {
    const LONG count = ++references_;
    TracePrint(kEventCallbackAddRefTag, u": (0x%08X) A=%d", Address(this), static_cast<int>(count));
    return static_cast<ULONG>(count);
}

ULONG CWiaEventCallback::Release() {
    const LONG count = --references_;
    TracePrint(kEventCallbackReleaseTag, u": (0x%08X) R=%d", Address(this),
               static_cast<int>(count));
    if (count == 0) {
        TracePrint(kEventCallbackReleaseTag, u": (0x%08X) Clear=%d", Address(this), 0);
        delete this;
    }
    return static_cast<ULONG>(count);
}

HRESULT CWiaEventCallback::ImageEventCallback(const GUID* event, BSTR eventDescription,
                                              BSTR deviceId, BSTR deviceDescription,
                                              DWORD deviceType, BSTR fullItemName,
                                              ULONG* eventType, ULONG reserved) {
    TracePrint(kEventCallbackImageEventTag, u": (0x%08X) V=%d", Address(this),
               static_cast<int>(references_.load()));
    const int code = event != nullptr ? WiaEventCode(*event) : 0;
    const WiaEventFunction function = function_.load();
    HRESULT hr = S_OK;
    if (function != nullptr) {
        hr = function(event, eventDescription, deviceId, deviceDescription, deviceType,
                      fullItemName, eventType, reserved, code, userData_.load());
    }
    TraceResult(kEventCallbackImageEventTag, hr);
    return hr;
}

HRESULT CWiaEventCallback::Register(IWiaDevMgr* manager, WiaEventFunction function,
                                    void* userData) {
    TraceEnter(kEventCallbackRegisterTag);
    userData_.store(userData);
    function_.store(function);
    if (manager == nullptr) {
        TraceResult(kEventCallbackRegisterTag, 1, E_INVALIDARG);
        return E_INVALIDARG;
    }
    for (std::size_t i = 0; i < kEvents.size(); ++i) {
        TracePrint(kEventCallbackRegisterTag, kEvents[i].registering);
        const HRESULT hr = manager->RegisterEventCallbackInterface(
            0, nullptr, kEvents[i].event, this, registrations_[i].Put());
        if (FAILED(hr)) {
            TraceResult(kEventCallbackRegisterTag, 2, hr);
            return hr;
        }
    }
    TraceResult(kEventCallbackRegisterTag, S_OK);
    return S_OK;
}

HRESULT CWiaEventCallback::DeRegister() {
    TraceEnter(kEventCallbackDeRegisterTag);
    for (ComRef<IUnknown>& registration : registrations_) {
        registration.Reset(nullptr);
    }
    TraceResult(kEventCallbackDeRegisterTag, S_OK);
    return S_OK;
}
