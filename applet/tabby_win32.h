#pragma once
// The main dialog's tab control and its three pages. The pages are child
// dialogs of the main dialog laid over the tab control's display area;
// exactly one is enabled and visible.
#include <windows.h>

#include <array>

#include "applet/about_page_win32.h"
#include "applet/profiles_page_win32.h"
#include "applet/settings_page_win32.h"

class CTabby {
  public:
    static constexpr int kPageCount = 3;

    // Set-up over the dialog's tab control: tabs, pages, sizes.
    void PreSubclassWindow(HWND tabControl, HINSTANCE instance);
    // Sends every page, in tab order, the OK command; then re-captions the
    // tabs and redraws the host. False when a page refused: the pages after
    // it are not sent the command. Only the first page refuses, so nothing
    // is stored then.
    bool ApplyAll();
    void SelectNextTab();
    void SelectPreviousTab();
    // The tab control's TCN_SELCHANGE.
    void OnSelectionChange();
    // Selects a tab as the keyboard does, so that its page shows.
    void SelectTab(int index);

    HWND Hwnd() const { return tab_; }
    int VisiblePage() const { return visible_; }

  private:
    bool CreatePage(CPage& page, int dialogId);
    CPage& Page(int index);
    void SetTabTexts();
    void ShowPage(int index, bool show);

    HWND tab_ = nullptr;
    HWND host_ = nullptr;
    HINSTANCE instance_ = nullptr;
    CSettingsPage settings_;
    CProfilesPage profiles_;
    CAboutPage about_;
    int visible_ = 0;
    int largestWidth_ = 0;
    int largestHeight_ = 0;
};

// The tab after or before current among count tabs, wrapping around.
int NextTabIndex(int current, int count);
int PreviousTabIndex(int current, int count);
