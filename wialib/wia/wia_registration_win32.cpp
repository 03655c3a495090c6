#include "wialib/wia/wia_registration_win32.h"

#include <memory>
#include <string>

#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"
#include "diag/strings/bounded_string.h"
#include "diag/text/text_units.h"
#include "diag/trace/trace.h"
#include "wialib/wia/wia_context_win32.h"
#include "wialib/wia/wia_tags.h"

namespace {

DWORD WINAPI RegistrationThread(void* request) {
    try {
        return static_cast<DWORD>(
            RegisterDeregisterProgram(static_cast<const WiaRegistrationRequest*>(request)));
    } catch (...) {
        return static_cast<DWORD>(E_OUTOFMEMORY);
    }
}

// A request with the strings it points to.
struct OwnedRequest {
    UniqueBstr command;
    UniqueBstr name;
    UniqueBstr description;
    UniqueBstr icon;
    UniqueBstr device;
    WiaRegistrationRequest request;
};

BSTR CopyOf(const char16_t* text) {
    return text != nullptr ? SysAllocString(AsWide(text)) : nullptr;
}

// How long a terminated thread may take to be gone.
constexpr DWORD kTerminationWaitMs = 5000;

// Waits for the thread at most timeoutMs (0: without limit) and ends it when
// it does not finish; the thread's exit code. running: the thread may still
// use the request.
HRESULT RunOnThread(WiaRegistrationRequest& request, DWORD timeoutMs, bool* running) {
    UniqueHandle thread(CreateThread(nullptr, 0, RegistrationThread, &request, 0, nullptr));
    if (!thread.IsValid()) {
        return HRESULT_FROM_WIN32(GetLastError());
    }
    const DWORD waited = WaitForSingleObject(thread.Get(), timeoutMs != 0 ? timeoutMs : INFINITE);
    if (waited == WAIT_TIMEOUT) {
        TracePrint(kRegisterDeregisterProgramThreadedTag, u"Forced");
        TerminateThread(thread.Get(), kForcedRegistrationExit);
        *running = WaitForSingleObject(thread.Get(), kTerminationWaitMs) != WAIT_OBJECT_0;
    }
    DWORD exitCode = 0;
    if (GetExitCodeThread(thread.Get(), &exitCode) == FALSE) {
        return E_FAIL;
    }
    if (exitCode == STILL_ACTIVE) {
        *running = true;
        TracePrint(kRegisterDeregisterProgramThreadedTag, u"Running");
        return E_FAIL;
    }
    return static_cast<HRESULT>(exitCode);
}

}  // namespace

LONG RegistrationFlags(const WiaRegistrationRequest& request) {
    if (request.registerFlag == 0) {
        return WIA_UNREGISTER_EVENT_CALLBACK;
    }
    return request.deviceId != nullptr && request.defaultHandler != 0 ? WIA_SET_DEFAULT_HANDLER
                                                                      : WIA_REGISTER_EVENT_CALLBACK;
}

HRESULT RegisterDeregisterProgram(const WiaRegistrationRequest* request) {
    TraceEnter(kRegisterDeregisterProgramTag);
    if (request == nullptr) {
        TraceResult(kRegisterDeregisterProgramTag, 1, E_INVALIDARG);
        return E_INVALIDARG;
    }
    WiaLibContext* context = nullptr;
    HRESULT hr = WiaLib_CreateContext(&context, request->listing, request->recurse, nullptr);
    if (FAILED(hr)) {
        TraceResult(kRegisterDeregisterProgramTag, 2, hr);
        return hr;
    }
    const LONG flags = RegistrationFlags(*request);
    TracePrint(kRegisterDeregisterProgramTag, u"%d, %s", static_cast<int>(flags),
               request->deviceId != nullptr ? AsU16(request->deviceId) : u"<NULL>");
    IWiaDevMgr* manager = context->deviceManager.Get();
    hr = manager->RegisterEventCallbackProgram(flags, request->deviceId,
                                               &WIA_EVENT_DEVICE_CONNECTED, request->commandLine,
                                               request->name, request->description, request->icon);
    if (flags == WIA_SET_DEFAULT_HANDLER) {
        TracePrint(kRegisterDeregisterProgramTag, u"hr1=0x%08X", static_cast<std::uint32_t>(hr));
        hr = manager->RegisterEventCallbackProgram(
            flags, request->deviceId, &WIA_EVENT_DEVICE_CONNECTED, request->commandLine,
            request->name, request->description, request->icon);
        TracePrint(kRegisterDeregisterProgramTag, u"hr2=0x%08X", static_cast<std::uint32_t>(hr));
    }
    WiaLib_DestroyContext(&context);
    TraceResult(kRegisterDeregisterProgramTag, hr);
    return hr;
}

HRESULT WiaLib_RegisterDeregisterProgram(int threadFlag, const char16_t* commandLine,
                                         const char16_t* description, const char16_t* name,
                                         int iconIndex, int listing, int registerFlag, int recurse,
                                         int defaultHandler, const char16_t* deviceId,
                                         DWORD timeoutMs) {
    TraceEnter(kRegisterDeregisterProgramThreadedTag);
    if (timeoutMs != 0) {
        TracePrint(kRegisterDeregisterProgramThreadedTag, u"Timeout=%d",
                   static_cast<int>(timeoutMs));
    }
    char16_t icon[kPathUnits + 16] = {};
    _TcsnCpy(icon, std::size(icon), commandLine != nullptr ? commandLine : u"", kPathUnits - 1);
    icon[kPathUnits - 1] = u'\0';
    char16_t index[16];
    WsPrintf(index, static_cast<int>(std::size(index)), u",%d", iconIndex);
    _TcsCat(icon, std::size(icon), index);

    // On the heap with its strings: a thread that would not end may still read them.
    auto owned = std::make_unique<OwnedRequest>();
    owned->command.Reset(CopyOf(commandLine));
    owned->name.Reset(CopyOf(name));
    owned->description.Reset(CopyOf(description));
    owned->icon.Reset(CopyOf(icon));
    owned->device.Reset(CopyOf(deviceId));
    WiaRegistrationRequest& request = owned->request;
    request.registerFlag = registerFlag;
    request.listing = listing;
    request.recurse = recurse;
    request.defaultHandler = defaultHandler;
    request.commandLine = owned->command.Get();
    request.name = owned->name.Get();
    request.description = owned->description.Get();
    request.icon = owned->icon.Get();
    request.deviceId = owned->device.Get();

    bool running = false;
    const HRESULT hr = threadFlag != 0 ? RunOnThread(request, timeoutMs, &running)
                                       : RegisterDeregisterProgram(&request);
    if (running) {
        static_cast<void>(owned.release());  // the thread's now
    }
    TraceResult(kRegisterDeregisterProgramThreadedTag, hr);
    return hr;
}
