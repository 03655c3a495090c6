#include "applet/update_check_win32.h"

#include <string>

#include "applet/ui/open_url_win32.h"
#include "common/catalogue/i18n_accessors.h"
#include "common/system/vendor_site.h"
#include "common/win32/wide_win32.h"
#include "update/version_fetch_win32.h"
#include "update/version_text.h"

namespace {

constexpr DWORD kStopWaitMs = 3000;

// One check per process, whichever dialog started it.
std::atomic<bool> busy{false};

struct CheckContext {
    HWND dialog;
    int buttonId;
    HttpTimeouts timeouts;
    std::shared_ptr<std::atomic<bool>> stopped;
    HMODULE module;  // held, so that the code stays while the thread runs
};

void Tell(const CheckContext& check, const std::u16string& text, UINT style, bool* yes = nullptr) {
    if (*check.stopped) {
        return;
    }
    const int answer = MessageBoxW(check.dialog, AsWide(text.c_str()), AsWide(kProductName), style);
    if (yes != nullptr) {
        *yes = answer == IDYES;
    }
}

void RunCheck(const CheckContext& check) {
    const auto text =
        FetchLatestVersionText(VersionFileTarget(), check.timeouts, check.stopped.get());
    const auto latest = text ? ParseVersionText(*text) : std::nullopt;
    if (!latest) {
        Tell(check, I18N_ErrorCheckingForUpdate(0), MB_OK | MB_ICONWARNING);
    } else if (!IsNewerThanOwn(*latest)) {
        Tell(check, AlreadyLatestMessage(), MB_OK | MB_ICONINFORMATION);
    } else {
        bool visit = false;
        Tell(check, NewVersionQuestion(*latest), MB_YESNO | MB_ICONQUESTION, &visit);
        if (visit && !*check.stopped) {
            const std::u16string page =
                std::u16string(u"http://") + kVendorHost + u"/download.html";
            OpenUrlInBrowser(page.c_str());
        }
    }
}

DWORD WINAPI UpdateCheckThread(void* parameter) {
    HMODULE module = nullptr;
    {
        const std::unique_ptr<CheckContext> check(static_cast<CheckContext*>(parameter));
        module = check->module;
        RunCheck(*check);
        if (!*check->stopped) {
            EnableWindow(GetDlgItem(check->dialog, check->buttonId), TRUE);
        }
        busy = false;
    }
    FreeLibraryAndExitThread(module, kUpdateCheckExitCode);
}

HMODULE HoldOwnModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                       reinterpret_cast<LPCWSTR>(&HoldOwnModule), &module);
    return module;
}

}  // namespace

void UpdateCheck::Start(HWND dialog, int buttonId, const HttpTimeouts& timeouts) {
    if (busy.exchange(true)) {
        return;
    }
    stopped_ = std::make_shared<std::atomic<bool>>(false);
    auto context = std::make_unique<CheckContext>(
        CheckContext{dialog, buttonId, timeouts, stopped_, HoldOwnModule()});
    const HMODULE module = context->module;
    HANDLE thread = CreateThread(nullptr, 0, UpdateCheckThread, context.get(), 0, nullptr);
    if (thread == nullptr) {
        if (module != nullptr) {
            FreeLibrary(module);
        }
        busy = false;
        return;
    }
    static_cast<void>(context.release());  // the thread owns it now
    thread_.Reset(thread);
    EnableWindow(GetDlgItem(dialog, buttonId), FALSE);
}

void UpdateCheck::Stop() {
    if (!thread_.IsValid()) {
        return;
    }
    *stopped_ = true;
    WaitForSingleObject(thread_.Get(), kStopWaitMs);
    thread_.Reset(nullptr);
}
