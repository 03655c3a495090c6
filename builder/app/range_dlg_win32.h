#pragma once
// The Range Selector: the user selects the characters of the sample name
// that the <Ol-m> token takes.
#include <string>

#include "builder/app/selector_results.h"
#include "common/dialog/themed_dialog_win32.h"

class CRangeDlg : public ThemedDialog {
  public:
    CRangeDlg(HINSTANCE instance, std::u16string nameText)
        : instance_(instance), nameText_(std::move(nameText)) {}

    // IDOK, IDCANCEL, or -1 when the dialog could not be shown.
    INT_PTR Run(HWND owner);
    // After OK: the selection as start and end positions.
    const RangeSelection& Selection() const { return selection_; }

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    void OnOK();

    HINSTANCE instance_;
    std::u16string nameText_;
    RangeSelection selection_;
};
