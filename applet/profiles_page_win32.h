#pragma once
// The Profiles tab: the camera profiles and the selected one's drive
// letters, mapping options, alias and file name format. It stores nothing
// yet, so its controls do not enable Apply.
#include "applet/page_win32.h"

class CProfilesPage : public CPage {
  public:
    void UpdateTexts(bool reload) override;

  protected:
    bool OnInitDialog() override;
    bool OnOK() override;

  private:
    void SetUpColumns();
};
