#include "builder/app/grippie_win32.h"

#include "common/dialog/dpi_win32.h"

bool CGrippie::Create(HWND dialog) {
    RECT client{};
    GetClientRect(dialog, &client);
    size_ = ScaleToDpi(kDesignSize, DpiOfWindow(dialog));
    // SBS_SIZEGRIP draws the grip's dots and, under every system, lets the
    // drag size the parent.
    window_ = CreateWindowExW(
        0, L"SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | SBS_SIZEBOX | SBS_SIZEGRIP,
        client.right - size_, client.bottom - size_, size_, size_, dialog, nullptr,
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)), nullptr);
    return window_ != nullptr;
}

void CGrippie::Place(bool maximised) {
    if (window_ == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(GetParent(window_), &client);
    SetWindowPos(window_, nullptr, client.right - size_, client.bottom - size_, size_, size_,
                 SWP_NOZORDER | SWP_NOACTIVATE | (maximised ? SWP_HIDEWINDOW : SWP_SHOWWINDOW));
}
