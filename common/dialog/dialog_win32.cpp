#include "common/dialog/dialog_win32.h"

#include "common/win32/ownership_win32.h"

namespace {

// WM_CTLCOLORMSGBOX ... WM_CTLCOLORSTATIC: a control asks for its brush.
bool IsControlColour(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// The dialog manager takes the answer from the return value for these, from
// DWLP_MSGRESULT for the rest.
bool ReturnsValueDirectly(UINT message) {
    return IsControlColour(message) || message == WM_INITDIALOG;
}

// EnableWindow on a window of another thread waits until that thread has
// handled it: an owner in a hung program must not hold the dialog for ever.
// The change is made from a thread of its own, waited for this long; one
// still waiting is left to finish once the owner answers.
constexpr DWORD kOtherThreadOwnerWaitMs = 5000;

template <BOOL Enabled>
DWORD WINAPI SetEnabledThread(void* window) {
    EnableWindow(static_cast<HWND>(window), Enabled);
    return 0;
}

void EnableOwner(HWND owner, bool enable) {
    if (GetWindowThreadProcessId(owner, nullptr) == GetCurrentThreadId()) {
        EnableWindow(owner, enable ? TRUE : FALSE);
        return;
    }
    const UniqueHandle thread(CreateThread(
        nullptr, 0, enable ? SetEnabledThread<TRUE> : SetEnabledThread<FALSE>, owner, 0, nullptr));
    if (thread.IsValid()) {
        WaitForSingleObject(thread.Get(), kOtherThreadOwnerWaitMs);
    }
}

}  // namespace

Dialog::~Dialog() {
    if (hwnd_ != nullptr) {
        HWND window = hwnd_;
        Detach();
        DestroyWindow(window);
    }
}

void Dialog::Detach() {
    // A late message must never reach a destroyed object.
    SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
    hwnd_ = nullptr;
}

INT_PTR Dialog::RunModal(HINSTANCE instance, int templateId, HWND owner) {
    modal_ = true;
    ended_ = false;
    result_ = -1;
    const bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner);
    HWND window = CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId), owner, &Procedure,
                                     reinterpret_cast<LPARAM>(this));
    if (window == nullptr) {
        modal_ = false;
        return -1;
    }
    if (!ended_) {
        if (ownerWasEnabled) {
            EnableOwner(owner, false);
        }
        ShowWindow(window, SW_SHOW);
    }
    MSG message;
    while (!ended_) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop
            break;
        }
        if (got == -1) {
            break;
        }
        if (!PreTranslateMessage(message) && !IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    // The owner gets the activation back only when it is enabled before the
    // dialog goes away.
    if (ownerWasEnabled) {
        EnableOwner(owner, true);
    }
    if (hwnd_ != nullptr) {
        Detach();
        DestroyWindow(window);
    }
    modal_ = false;
    return result_;
}

bool Dialog::CreateModeless(HINSTANCE instance, int templateId, HWND parent) {
    modal_ = false;
    HWND window = CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId), parent, &Procedure,
                                     reinterpret_cast<LPARAM>(this));
    return window != nullptr;
}

void Dialog::EndDialog(INT_PTR code) {
    result_ = code;
    ended_ = true;
    if (hwnd_ == nullptr) {
        return;
    }
    if (modal_) {
        // A message sent from another thread is handled inside GetMessage,
        // which would go on waiting: wake the loop so that it sees the end.
        PostMessageW(hwnd_, WM_NULL, 0, 0);
    } else {
        DestroyWindow(hwnd_);
    }
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        self->hwnd_ = window;
    }
    if (self == nullptr) {
        return FALSE;
    }
    if (message == WM_NCDESTROY) {
        self->hwnd_ = nullptr;
        SetWindowLongPtrW(window, DWLP_USER, 0);
        return FALSE;
    }
    return self->Dispatch(message, wParam, lParam);
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    std::optional<INT_PTR> answer;
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog() ? TRUE : FALSE;
        case WM_COMMAND:
            if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) {
                answer = 0;
            } else if (modal_ && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
                EndDialog(LOWORD(wParam));  // also Escape and the close box
                answer = 0;
            }
            break;
        case WM_NOTIFY:
            if (auto result = OnNotify(*reinterpret_cast<NMHDR*>(lParam))) {
                answer = *result;
            }
            break;
        case WM_TIMER:
            OnTimer(wParam);
            answer = 0;
            break;
        case WM_DRAWITEM:
            if (OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) {
                answer = TRUE;
            }
            break;
        case WM_ERASEBKGND:
            if (OnEraseBackground(reinterpret_cast<HDC>(wParam))) {
                answer = TRUE;
            }
            break;
        case WM_DESTROY:
            OnDestroy();
            break;
        default:
            if (IsControlColour(message)) {
                if (HBRUSH brush = OnControlColour(message, reinterpret_cast<HDC>(wParam),
                                                   reinterpret_cast<HWND>(lParam))) {
                    answer = reinterpret_cast<INT_PTR>(brush);
                }
            } else {
                answer = OnMessage(message, wParam, lParam);
            }
            break;
    }
    if (!answer) {
        return FALSE;
    }
    if (ReturnsValueDirectly(message)) {
        return *answer;
    }
    SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, *answer);
    return TRUE;
}
