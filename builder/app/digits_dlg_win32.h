#pragma once
// The Digits Selector: a slider from 1 to 10 chooses the width of the
// counter token <Cn>.
#include "common/dialog/themed_dialog_win32.h"

class CDigitsDlg : public ThemedDialog {
  public:
    explicit CDigitsDlg(HINSTANCE instance) : instance_(instance) {}

    // IDOK, IDCANCEL, or -1 when the dialog could not be shown.
    INT_PTR Run(HWND owner);
    // After OK: the slider's position.
    int Digits() const { return digits_; }

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void OnOK();
    void OnSliderMoved(HWND slider);
    void ShowPosition(int position);

    HINSTANCE instance_;
    int digits_ = 0;
};
