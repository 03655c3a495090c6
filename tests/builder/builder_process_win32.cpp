#include "tests/builder/builder_process_win32.h"

#include <array>

#include "common/win32/wide_win32.h"
#include "diag/text/bounded_format.h"
#include "tests/support/test_installation_win32.h"

namespace {

constexpr wchar_t kFrameClass[] = L"CamfolioBuilderTestFrame";

// An empty child dialog that is a control of its parent, as a tab page is.
struct alignas(4) PageTemplate {
    DLGTEMPLATE dialog{WS_CHILD | WS_VISIBLE | DS_CONTROL, 0, 0, 0, 0, 200, 100};
    WORD menu = 0;
    WORD windowClass = 0;
    WORD title = 0;
};

}  // namespace

Receiver::Receiver() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kFrameClass;
    RegisterClassExW(&windowClass);
    // Never shown: only handles to hand to the builder.
    frame_ = CreateWindowExW(0, kFrameClass, L"Receiver", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    static const PageTemplate kPage;
    page_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &kPage.dialog, frame_,
                                       &Receiver::PageProcedure, reinterpret_cast<LPARAM>(this));
}

Receiver::~Receiver() {
    if (page_ != nullptr) {
        SetWindowLongPtrW(page_, DWLP_USER, 0);
    }
    if (frame_ != nullptr) {
        DestroyWindow(frame_);
    }
}

std::u16string Receiver::HexHandle(bool lowerCase) const {
    char16_t text[20] = {};
    FormatBoundedArgs(text, std::size(text), lowerCase ? u"%08x" : u"%08X",
                      static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(page_)));
    return text;
}

INT_PTR CALLBACK Receiver::PageProcedure(HWND window, UINT message, WPARAM /*wParam*/,
                                         LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        return TRUE;
    }
    auto* self = reinterpret_cast<Receiver*>(GetWindowLongPtrW(window, DWLP_USER));
    if (self != nullptr && message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        self->received_.push_back({data->dwData, data->cbData,
                                   ReadCopyDataText(data->dwData, data->lpData, data->cbData)});
        SetWindowLongPtrW(window, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    return FALSE;
}

BuilderProcess::BuilderProcess(const std::u16string& arguments) {
    const std::u16string program = BuildTreeFolder(kShippedBuilderFolder) + u"\\CamfolioFmt.exe";
    std::u16string commandLine = u"\"" + program + u"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (CreateProcessW(AsWide(program.c_str()), AsWide(commandLine.data()), nullptr, nullptr, FALSE,
                       0, nullptr, nullptr, &startup, &info)) {
        CloseHandle(info.hThread);
        process_.Reset(info.hProcess);
        processId_ = info.dwProcessId;
    }
}

BuilderProcess::~BuilderProcess() {
    if (process_.IsValid() && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.Get(), 1);
        WaitUntil([this] { return WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0; });
    }
}

bool BuilderProcess::Is32Bit() const {
    return Is32BitProcess(process_.Get());
}

HWND BuilderProcess::WaitForDialog(const std::u16string& title, HWND owner) {
    HWND found = nullptr;
    if (!Started()) {
        return nullptr;
    }
    WaitUntil([&] {
        found = FindTopLevelWindow({processId_, true, title.c_str(), owner});
        return found != nullptr || WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0;
    });
    return found;
}

std::optional<DWORD> BuilderProcess::WaitForExit(bool* sawWindow) {
    bool saw = false;
    if (!Started()) {
        return std::nullopt;
    }
    const bool ended = WaitUntil([&] {
        saw = saw || FindTopLevelWindow({.processId = processId_}) != nullptr;
        return WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0;
    });
    if (sawWindow != nullptr) {
        *sawWindow = saw;
    }
    DWORD code = 0;
    if (!ended || !GetExitCodeProcess(process_.Get(), &code)) {
        return std::nullopt;
    }
    return code;
}

std::optional<DWORD> BuilderProcess::WaitForExitUnanswered(std::chrono::milliseconds timeout) {
    DWORD code = 0;
    if (!Started() ||
        WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process_.Get(), &code)) {
        return std::nullopt;
    }
    return code;
}

std::u16string ItemText(HWND dialog, int id) {
    std::array<wchar_t, 520> text{};
    SendDlgItemMessageW(dialog, id, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return AsU16(text.data());
}

void Click(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
