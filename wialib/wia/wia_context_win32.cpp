#include "wialib/wia/wia_context_win32.h"

#include <share.h>

#include <atomic>
#include <new>
#include <string>

#include "common/win32/wide_win32.h"
#include "diag/text/bounded_format.h"
#include "diag/trace/trace.h"
#include "wialib/names/result_name.h"
#include "wialib/wia/wia_event_callback_win32.h"
#include "wialib/wia/wia_tags.h"

namespace {

// Room for the longest listing line: a property line holds a 261-unit value.
constexpr std::size_t kListingUnits = 1024;

HRESULT CreateServiceDeviceManager(IWiaDevMgr** manager) {
    return CoCreateInstance(CLSID_WiaDevMgr, nullptr, CLSCTX_LOCAL_SERVER, IID_IWiaDevMgr,
                            reinterpret_cast<void**>(manager));
}

std::atomic<WiaDeviceManagerSource> deviceManagerSource{CreateServiceDeviceManager};

// Files written for people use the ANSI code page.
std::string Ansi(const char16_t* text, std::size_t length) {
    if (length == 0) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_ACP, 0, AsWide(text), static_cast<int>(length),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_ACP, 0, AsWide(text), static_cast<int>(length), bytes.data(), size,
                            nullptr, nullptr);
    }
    return bytes;
}

}  // namespace

void TraceResult(const char16_t* tag, HRESULT hr) {
    TraceReturn(tag, static_cast<std::uint32_t>(hr), ResultName(static_cast<std::uint32_t>(hr)));
}

void TraceResult(const char16_t* tag, int exitPoint, HRESULT hr) {
    TraceReturn(tag, exitPoint, static_cast<std::uint32_t>(hr),
                ResultName(static_cast<std::uint32_t>(hr)));
}

WiaDeviceManagerSource SetWiaDeviceManagerSource(WiaDeviceManagerSource source) {
    return deviceManagerSource.exchange(source != nullptr ? source : CreateServiceDeviceManager);
}

void ListingPrintV(WiaLibContext* context, const char16_t* format,
                   std::span<const FormatArg> args) {
    if (context == nullptr) {
        return;
    }
    if (context->magic != kWiaLibMagic) {
        std::fputs("memory corruption", stdout);
        return;
    }
    if (context->listing == 0) {
        return;
    }
    char16_t line[kListingUnits];
    const FormatResult written = FormatBounded(line, std::size(line), format, args);
    const std::string bytes = Ansi(line, written.length);
    std::FILE* out = context->dump ? context->dump.get() : stdout;
    std::fwrite(bytes.data(), 1, bytes.size(), out);
}

void ListingError(WiaLibContext* context, const char16_t* text, HRESULT hr) {
    if (hr == S_OK) {
        ListingPrint(context, u"%s\n", text);
    } else {
        ListingPrint(context, u"%s: HRESULT: 0x%08X\n", text, static_cast<std::uint32_t>(hr));
    }
}

HRESULT WiaLib_Init() {
    TraceEnter(kInitTag);
    const HRESULT hr = CoInitialize(nullptr);
    TraceResult(kInitTag, hr);
    return hr;
}

HRESULT WiaLib_DeInit() {
    TraceEnter(kDeInitTag);
    CoUninitialize();
    TraceResult(kDeInitTag, S_OK);
    return S_OK;
}

int InitLibContext(WiaLibContext* context, std::size_t size, int listing, int recurse) {
    TraceEnter(kInitLibContextTag);
    if (context == nullptr || size != sizeof(WiaLibContext)) {
        TraceReturn(kInitLibContextTag, 1, 0, ResultName(0));
        return 0;
    }
    context->dump.reset();
    context->deviceManager.Reset(nullptr);
    context->cachedRoot.Reset(nullptr);
    context->eventHandler.Reset(nullptr);
    context->eventFunction = nullptr;
    context->eventUserData = nullptr;
    context->currentDeviceId.Reset(nullptr);
    context->magic = kWiaLibMagic;
    context->listing = listing;
    context->recurse = recurse;
    TraceReturn(kInitLibContextTag, 1, ResultName(1));
    return 1;
}

HRESULT CreateWiaDeviceManager(WiaLibContext* context, IWiaDevMgr** manager) {
    TraceEnter(kCreateWiaDeviceManagerTag);
    if (manager == nullptr) {
        TraceResult(kCreateWiaDeviceManagerTag, 1, E_INVALIDARG);
        return E_INVALIDARG;
    }
    *manager = nullptr;
    const HRESULT hr = deviceManagerSource.load()(manager);
    if (FAILED(hr)) {
        ListingError(context, u"CoCreateInstance failed on CLSID_WiaDevMgr", hr);
    } else if (*manager == nullptr) {
        TraceResult(kCreateWiaDeviceManagerTag, 2, E_FAIL);
        return E_FAIL;
    }
    TraceResult(kCreateWiaDeviceManagerTag, hr);
    return hr;
}

HRESULT WiaLib_CreateContext(WiaLibContext** place, int listing, int recurse,
                             const char16_t* dumpPath) {
    TraceEnter(kCreateContextTag);
    if (place == nullptr) {
        TraceResult(kCreateContextTag, 1, E_INVALIDARG);
        return E_INVALIDARG;
    }
    std::unique_ptr<WiaLibContext> context(new (std::nothrow) WiaLibContext);
    if (!context) {
        TraceResult(kCreateContextTag, 2, E_OUTOFMEMORY);
        return E_OUTOFMEMORY;
    }
    InitLibContext(context.get(), sizeof(WiaLibContext), listing, recurse);
    if (dumpPath != nullptr) {
        // Shared for reading and writing, so that the file can be watched while it grows.
        context->dump.reset(_wfsopen(AsWide(dumpPath), L"wt", _SH_DENYNO));
    }
    HRESULT hr = WiaLib_Init();
    if (FAILED(hr)) {
        TraceResult(kCreateContextTag, 3, hr);
        return hr;
    }
    hr = CreateWiaDeviceManager(context.get(), context->deviceManager.Put());
    if (FAILED(hr)) {
        ListingError(context.get(), u"Error calling CreateWiaDeviceManager (1)", hr);
        context.reset();
        WiaLib_DeInit();
        TraceResult(kCreateContextTag, 4, hr);
        return hr;
    }
    *place = context.release();
    TraceResult(kCreateContextTag, hr);
    return hr;
}

HRESULT WiaLib_DestroyContext(WiaLibContext** place) {
    TraceEnter(kDestroyContextTag);
    if (place == nullptr || !IsValidContext(*place)) {
        TraceResult(kDestroyContextTag, 1, E_INVALIDARG);
        return E_INVALIDARG;
    }
    std::unique_ptr<WiaLibContext> context(*place);
    *place = nullptr;
    context->magic = 0;
    context->cachedRoot.Reset(nullptr);
    context->eventHandler.Reset(nullptr);
    context->deviceManager.Reset(nullptr);
    context->currentDeviceId.Reset(nullptr);
    context->dump.reset();
    context.reset();
    WiaLib_DeInit();
    TraceResult(kDestroyContextTag, S_OK);
    return S_OK;
}
