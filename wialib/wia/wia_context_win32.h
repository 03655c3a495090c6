#pragma once
// The library context and its listing: the readable text about devices,
// properties and items that goes to the dump file (or the standard output).
#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>

#include "common/win32/ownership_win32.h"
#include "diag/text/format_arg.h"
#include "wialib/wia/wialib_win32.h"

class CWiaEventCallback;

// The bytes "WLIB" in memory order.
inline constexpr std::uint32_t kWiaLibMagic = 0x42494C57;

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

struct WiaLibContext {
    std::uint32_t magic = 0;
    int listing = 0;
    int recurse = 0;
    std::unique_ptr<std::FILE, CloseFile> dump;
    ComRef<IWiaDevMgr> deviceManager;
    // The root item of the device whose folder list was read last.
    ComRef<IWiaItem> cachedRoot;
    ComRef<CWiaEventCallback> eventHandler;
    WiaEventFunction eventFunction = nullptr;
    void* eventUserData = nullptr;
    UniqueBstr currentDeviceId;
};

inline bool IsValidContext(const WiaLibContext* context) {
    return context != nullptr && context->magic == kWiaLibMagic;
}

// 1 when size is the context's and the context was cleared and stamped, else 0.
int InitLibContext(WiaLibContext* context, std::size_t size, int listing, int recurse);
HRESULT CreateWiaDeviceManager(WiaLibContext* context, IWiaDevMgr** manager);

// Writes to the listing when the context lets it.
void ListingPrintV(WiaLibContext* context, const char16_t* format, std::span<const FormatArg> args);
template <typename... Args>
void ListingPrint(WiaLibContext* context, const char16_t* format, const Args&... args) {
    const std::array<FormatArg, sizeof...(Args)> list{FormatArg(args)...};
    ListingPrintV(context, format, std::span<const FormatArg>(list));
}
// "text: HRESULT: 0x%08X", or the text alone for a zero result.
void ListingError(WiaLibContext* context, const char16_t* text, HRESULT hr);

// "RETURN: RC=0x%08X (name)" for a result.
void TraceResult(const char16_t* tag, HRESULT hr);
void TraceResult(const char16_t* tag, int exitPoint, HRESULT hr);
// S_FALSE (the end of an enumeration) counts as success.
inline HRESULT WithoutFalse(HRESULT hr) {
    return hr == S_FALSE ? S_OK : hr;
}
