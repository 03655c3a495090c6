#pragma once
// The page tests' fixture: the applet's dialog as the other applet tests
// open it, with the Control Panel's start and end around each test; and the
// small readers the page tests share.
#include <windows.h>

#include <cpl.h>

#include <string>

#include "tests/applet/applet_dialog_fixture.h"
#include "tests/support/machine_value_win32.h"
#include "tests/support/window_search_win32.h"

std::u16string ItemText(HWND dialog, int id);
bool ItemEnabled(HWND dialog, int id);

class AppletPageTest : public AppletDialog {
  protected:
    void SetUp() override {
        AppletDialog::SetUp();
        ASSERT_EQ(applet_.Send(CPL_INIT), 1);
    }
    void TearDown() override { applet_.Send(CPL_EXIT); }
};
