#include "tests/builder/builder_process_win32.h"

#include <array>

#include "common/win32/wide_win32.h"
#include "diag/text/bounded_format.h"
#include "tests/support/test_installation_win32.h"

namespace {

constexpr wchar_t kReceiverClass[] = L"CamfolioBuilderTestReceiver";

}  // namespace

Receiver::Receiver() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kReceiverClass;
    RegisterClassExW(&windowClass);
    // Never shown: only a handle to hand to the builder.
    window_ = CreateWindowExW(0, kReceiverClass, L"Receiver", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                              nullptr, nullptr, GetModuleHandleW(nullptr), this);
}

Receiver::~Receiver() {
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

std::u16string Receiver::HexHandle(bool lowerCase) const {
    char16_t text[20] = {};
    FormatBoundedArgs(text, std::size(text), lowerCase ? u"%08x" : u"%08X",
                      static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(window_)));
    return text;
}

LRESULT CALLBACK Receiver::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrW(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<Receiver*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        self->received_.push_back({data->dwData, data->cbData,
                                   ReadCopyDataText(data->dwData, data->lpData, data->cbData)});
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

BuilderProcess::BuilderProcess(const std::u16string& arguments) {
    const std::u16string program = BuildTreeFolder(u"builder\\CamfolioFmt.exe");
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

std::u16string ItemText(HWND dialog, int id) {
    std::array<wchar_t, 520> text{};
    SendDlgItemMessageW(dialog, id, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return AsU16(text.data());
}

void Click(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
