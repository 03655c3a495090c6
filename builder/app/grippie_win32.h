#pragma once
// The size grip at the bottom-right corner of a resizable dialog: a size-box
// scroll bar of 12 x 12 pixels at 96 DPI, scaled to the dialog's resolution,
// hidden while the dialog is maximised.
#include <windows.h>

class CGrippie {
  public:
    static constexpr int kDesignSize = 12;

    // The window belongs to the dialog and goes with it.
    bool Create(HWND dialog);
    HWND Hwnd() const { return window_; }
    // Back to the corner after a size change; maximised hides it.
    void Place(bool maximised);

  private:
    HWND window_ = nullptr;
    int size_ = kDesignSize;
};
