// The in-process event handler of a context, device commands, and the
// release of interfaces handed out by the library.
#include "diag/trace/trace.h"
#include "wialib/wia/wia_context_win32.h"
#include "wialib/wia/wia_devices_win32.h"
#include "wialib/wia/wia_event_callback_win32.h"
#include "wialib/wia/wia_events_win32.h"
#include "wialib/wia/wia_tags.h"

HRESULT WiaLib_RegisterEventHandler(WiaLibContext* context, WiaEventFunction function,
                                    void* userData) {
    TraceEnter(kRegisterEventHandlerTag);
    if (!IsValidContext(context)) {
        TraceResult(kRegisterEventHandlerTag, 1, E_FAIL);
        return E_FAIL;
    }
    if (context->eventHandler) {
        TraceResult(kRegisterEventHandlerTag, 2, E_INVALIDARG);
        return E_INVALIDARG;
    }
    context->eventFunction = function;
    context->eventUserData = userData;
    context->eventHandler.Reset(new (std::nothrow) CWiaEventCallback);
    if (!context->eventHandler) {
        TraceResult(kRegisterEventHandlerTag, 3, E_FAIL);
        return E_FAIL;
    }
    const HRESULT hr =
        context->eventHandler->Register(context->deviceManager.Get(), function, userData);
    TraceResult(kRegisterEventHandlerTag, hr);
    return hr;
}

HRESULT EventCleanup(WiaLibContext* context) {
    TraceEnter(kEventCleanupTag);
    if (context == nullptr) {
        TraceResult(kEventCleanupTag, 1, E_FAIL);
        return E_FAIL;
    }
    if (context->eventHandler) {
        context->eventHandler->DeRegister();
    }
    context->eventHandler.Reset(nullptr);
    context->eventFunction = nullptr;
    context->eventUserData = nullptr;
    TraceResult(kEventCleanupTag, S_OK);
    return S_OK;
}

HRESULT WiaLib_DeRegisterEventHandler(WiaLibContext* context) {
    TraceEnter(kDeRegisterEventHandlerTag);
    if (!IsValidContext(context)) {
        TraceResult(kDeRegisterEventHandlerTag, 1, E_FAIL);
        return E_FAIL;
    }
    if (!context->eventHandler) {
        TraceResult(kDeRegisterEventHandlerTag, 2, S_FALSE);
        return S_FALSE;
    }
    const HRESULT hr = EventCleanup(context);
    TraceResult(kDeRegisterEventHandlerTag, hr);
    return hr;
}

HRESULT WiaLib_ReleaseInterface(IUnknown* object) {
    TraceEnter(kReleaseInterfaceTag);
    if (object != nullptr) {
        object->Release();
    }
    TraceResult(kReleaseInterfaceTag, S_OK);
    return S_OK;
}

HRESULT WiaLib_DeviceCommand(WiaLibContext* context, const char16_t* deviceId,
                             const GUID* command) {
    TraceEnter(kDeviceCommandTag);
    if (!IsValidContext(context) || deviceId == nullptr || command == nullptr) {
        TraceResult(kDeviceCommandTag, 1, E_INVALIDARG);
        return E_INVALIDARG;
    }
    WiaLibOperation operation;
    operation.kind = WiaOperationKind::DeviceCommand;
    operation.command = command;
    const HRESULT hr = _WiaEnumerator(context, deviceId, nullptr, &operation, 1, 0, 0, nullptr, 0);
    const HRESULT result = FAILED(hr) ? hr : operation.commandResult;
    TraceResult(kDeviceCommandTag, result);
    return result;
}
