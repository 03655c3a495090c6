#pragma once
// The About tab: the data folder and the licence notices of third parties.
#include "applet/page_win32.h"
#include "common/win32/ownership_win32.h"

class CAboutPage : public CPage {
  public:
    void UpdateTexts(bool reload) override;

  protected:
    bool OnInitDialog() override;
    bool OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;
    std::optional<LRESULT> OnNotify(NMHDR& header) override;

  private:
    void SetUpFonts();
    void ShowNotice(int resourceId);
    void OnNoticeTabChange();
    void OnOpenDataFolder();

    UniqueGdiObject labelFont_;
    UniqueGdiObject textFont_;
};
