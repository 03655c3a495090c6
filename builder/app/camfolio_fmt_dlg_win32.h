#pragma once
// The Filename Format Builder's dialog: the token editor, the token buttons,
// the case list, the Range and Digits Selectors and the live examples. OK
// keeps the format only when it names a usable file.
#include <cstdint>
#include <string>
#include <vector>

#include "builder/app/grippie_win32.h"
#include "builder/app/layout_anchor.h"
#include "builder/editor/html_ctrl_win32.h"
#include "common/dialog/themed_dialog_win32.h"
#include "common/dialog/ui_font_win32.h"
#include "common/win32/ownership_win32.h"

class CCamfolioFmtDlg : public ThemedDialog {
  public:
    CCamfolioFmtDlg(HINSTANCE instance, std::u16string initialFormat);

    // IDOK, IDCANCEL, or -1 when the dialog could not be shown.
    INT_PTR Run(HWND owner);
    // After OK: the validated and normalised format.
    const std::u16string& ResultFormat() const { return resultFormat_; }

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnTimer(UINT_PTR timerId) override;
    std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void UpdateTexts();
    void RegisterAnchors();
    void ApplyAnchors();
    // Rewrites the editor: empty with clear, else from the initial format.
    void LoadEditor(bool clear);
    // Recomputes the new example; unless forced, only when the editor changed.
    void UpdateExample(bool force);
    std::u16string EditorFormat() const;
    void InsertToken(std::u16string_view buttonHtml);

    void OnOK();
    void OnCancel();
    void OnCaseChange();
    void OnOriginalDirectory();
    void OnRange();
    void OnCounter();
    // The dragged edge's rectangle, raised to the minimum size.
    void OnSizing(int edge, RECT& rect) const;
    void OnGetMinMaxInfo(MINMAXINFO& info) const;
    void OnSize(WPARAM kind);
    // true when the cursor over window is the size grip's.
    bool OnSetCursor(HWND window) const;

    HINSTANCE instance_;
    std::u16string initialFormat_;
    std::u16string resultFormat_;
    CHtmlCtrl editor_;
    CGrippie grippie_;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    UniqueGdiObject exampleFont_;
    std::vector<LayoutAnchor> anchors_;
    int minWidth_ = 0;
    int minHeight_ = 0;
    // The sample picture's capture time: when the dialog was made.
    const std::uint64_t sampleCaptureTime_;
    bool updatingExample_ = false;
};
