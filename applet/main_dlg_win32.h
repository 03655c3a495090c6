#pragma once
// The applet's dialog: a header (logo, product name, mapper version, home
// page link, update button), the tabbed pages and OK, Cancel, Apply.
#include "applet/applet_dialog_win32.h"
#include "applet/tabby_win32.h"
#include "applet/ui/gdiplus_bitmap_resource_win32.h"
#include "applet/update_check_win32.h"
#include "common/dialog/dialog_win32.h"
#include "common/dialog/ui_font_win32.h"
#include "common/win32/ownership_win32.h"

class CMainDlg : public Dialog, public AppletDialog {
  public:
    explicit CMainDlg(HINSTANCE instance) : instance_(instance) {}
    ~CMainDlg() override;

    INT_PTR Run(HWND parent, int startPage) override;
    // Captions from the catalogue; with reload it is reloaded first.
    void UpdateTexts(bool reload);

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    std::optional<LRESULT> OnNotify(NMHDR& header) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
    std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool PreTranslateMessage(const MSG& message) override;
    void OnDestroy() override;

  private:
    void SetWindowIcons();
    void SetUpLink();
    void UpdateVersionText();
    void OnApply();
    bool OnMouseOverLink(POINT point, bool buttonUp);

    HINSTANCE instance_;
    int startPage_ = 0;
    CTabby tabby_;
    CGdiPlusBitmapResource logo_;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    HCURSOR handCursor_ = nullptr;
    HCURSOR savedClassCursor_ = nullptr;
    RECT linkRect_{};
    HWND linkToolTip_ = nullptr;
    UniqueGdiObject productFont_;
    UpdateCheck updateCheck_;
};

// The key handling of the dialog: Ctrl+Tab and Ctrl+PageDown select the next
// tab, Ctrl+Shift+Tab and Ctrl+PageUp the previous one.
enum class TabKey { kNone, kNext, kPrevious };
TabKey TabKeyFor(UINT virtualKey, bool control, bool shift);
