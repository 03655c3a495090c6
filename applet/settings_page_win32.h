#pragma once
// The Settings tab: language, cache location and size, logging, the
// diagnostic commands and the battery check.
#include "applet/page_win32.h"

class CSettingsPage : public CPage {
  public:
    void UpdateTexts(bool reload) override;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;
};
