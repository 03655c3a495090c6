#pragma once
// The About tab: the data folder and the licence notices of third parties.
#include "applet/page_win32.h"
#include "common/dialog/ui_font_win32.h"

class CAboutPage : public CPage {
  public:
    void UpdateTexts(bool reload) override;

  protected:
    bool OnInitDialog() override;
    bool OnOK() override;

  private:
    UniqueGdiObject labelFont_;
};
