#pragma once
// The Settings tab: language, cache location and size, logging, the
// diagnostic commands and the battery check. It stores nothing yet, so its
// controls do not enable Apply: Apply would report a save that never happens.
#include "applet/page_win32.h"

class CSettingsPage : public CPage {
  public:
    void UpdateTexts(bool reload) override;

  protected:
    bool OnInitDialog() override;
    bool OnOK() override;
};
