#include "applet/wia_dump_win32.h"

#include <commdlg.h>
#include <objbase.h>

#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <string>

#include "applet/settings/dump_file_choice.h"
#include "common/catalogue/i18n_accessors.h"
#include "common/catalogue/i18n_format.h"
#include "common/catalogue/text_ids.h"
#include "common/win32/wide_win32.h"
#include "config/settings_registry.h"
#include "diag/strings/bounded_string.h"
#include "diag/text/text_units.h"
#include "wialib/wia/wialib_win32.h"

namespace {

constexpr char16_t kDumpFileName[] = u"WIA.log";
constexpr char16_t kDumpSubject[] = u"WIA";
constexpr std::size_t kTitleUnits = 100;
constexpr DWORD kSaveOptions =
    OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_LONGNAMES;
static_assert(kSaveOptions == 0x200806);

// One dump per process, whichever page started it.
std::atomic<bool> busy{false};

struct DumpRequest {
    HWND page;
    HMODULE module;  // held, so that the code stays while the thread runs
};

// The file the user chose in the save dialog, nullopt when none.
std::optional<std::u16string> AskDumpFile(HWND owner) {
    const auto filters = DumpFileFilters(I18N_Log(0), I18N_All(0));
    if (!filters) {
        return std::nullopt;
    }
    std::array<char16_t, kPathUnits> cacheFolder{};
    const std::u16string initialFolder =
        Registry_Get_CacheRoot(cacheFolder.data(), cacheFolder.size(), false) != nullptr
            ? DumpInitialFolder(cacheFolder.data())
            : std::u16string();
    std::array<char16_t, kTitleUnits> title{};
    I18N_wsprintf(title.data(), static_cast<int>(title.size()), text_id::kSaveDataTitle,
                  MarkerType::String, FormatArg(kDumpSubject), 0);
    std::array<char16_t, kPathUnits> file{};
    _TcsCpy(file.data(), file.size(), kDumpFileName);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = AsWide(filters->c_str());
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = AsWide(file.data());
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : AsWide(initialFolder.c_str());
    dialog.lpstrTitle = AsWide(title.data());
    dialog.Flags = kSaveOptions;
    // The dialog's shell parts want an apartment; the dump makes its own.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const bool chosen = GetSaveFileNameW(&dialog) != FALSE;
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return chosen ? std::optional<std::u16string>(file.data()) : std::nullopt;
}

DWORD WINAPI WiaDumpThread(void* parameter) {
    HMODULE module = nullptr;
    {
        const std::unique_ptr<DumpRequest> request(static_cast<DumpRequest*>(parameter));
        module = request->module;
        try {
            if (const auto path = AskDumpFile(request->page)) {
                WIALIBWRAPPER_Dump(path->c_str());
            }
        } catch (...) {
            // Out of memory: the dump ends as if it had finished.
        }
        // Free before the page hears of it, so that a click on the button
        // it enables starts the next dump.
        busy = false;
        PostMessageW(request->page, kWiaDumpEnded, 0, 0);
    }
    FreeLibraryAndExitThread(module, kWiaDumpExitCode);
}

HMODULE HoldOwnModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                       reinterpret_cast<LPCWSTR>(&HoldOwnModule), &module);
    return module;
}

}  // namespace

bool StartWiaDump(HWND page) {
    if (busy.exchange(true)) {
        return false;
    }
    auto request = std::make_unique<DumpRequest>(DumpRequest{page, HoldOwnModule()});
    const HMODULE module = request->module;
    HANDLE thread = CreateThread(nullptr, 0, WiaDumpThread, request.get(), 0, nullptr);
    if (thread == nullptr) {
        if (module != nullptr) {
            FreeLibrary(module);
        }
        busy = false;
        return false;
    }
    static_cast<void>(request.release());  // the thread owns it now
    CloseHandle(thread);
    return true;
}
