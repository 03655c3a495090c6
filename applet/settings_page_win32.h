#pragma once
// The Settings tab: language, cache location and size, logging, the
// diagnostic commands and the battery check. The values are read when the
// page starts and stored when the main dialog's OK or Apply runs its OK
// handler; a cache size out of range refuses the whole apply.
#include <optional>
#include <string>
#include <vector>

#include "applet/page_win32.h"

class CSettingsPage : public CPage {
  public:
    void UpdateTexts(bool reload) override;

  protected:
    bool OnInitDialog() override;
    bool OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;
    std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void FillLanguageList();
    // Between the page state and the controls, in either direction.
    void Exchange(bool toControls);
    bool CacheSizeAccepted();
    void RefuseCacheSize();
    void StoreLanguage();
    void UpdateRegisterButton();
    void OnBrowse();
    void OnDump();
    void OnRegister();

    std::u16string current_;
    std::u16string pending_;
    std::u16string storedPending_;  // as read at page start, empty when none
    std::u16string sizeText_;
    bool logging_ = false;
    bool batteryCheck_ = false;
    std::u16string defaultFormat_;
    // Filled once at page start: the list's item data point into paths_.
    std::vector<std::u16string> languageNames_;
    std::vector<std::u16string> languagePaths_;
};
