#pragma once
// The applet's dialog opened through CPlApplet, as the Control Panel opens
// it, and driven by messages from a second thread while the applet's thread
// runs it; with an installation, a cache root and an empty registry.
#include <windows.h>

#include <commctrl.h>
#include <cpl.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "applet/main_dlg_ids.h"
#include "common/win32/wide_win32.h"
#include "config/settings_registry.h"
#include "tests/applet/applet_library.h"
#include "tests/support/file_helpers_win32.h"
#include "tests/support/registry_sandbox_win32.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_installation_win32.h"

inline std::u16string TextOf(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return AsU16(text);
}

inline int SelectedTab(HWND dialog) {
    return TabCtrl_GetCurSel(GetDlgItem(dialog, IDC_MAIN_TABS));
}

inline bool ApplyEnabled(HWND dialog) {
    return IsWindowEnabled(GetDlgItem(dialog, IDC_MAIN_APPLY)) != FALSE;
}

// A button click as the dialog manager reports it, sent synchronously.
inline void Click(HWND window, int id) {
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

class AppletDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(installation_.InstallConsistent());
        ASSERT_TRUE(Registry_Set_CacheRoot(root_.Path().c_str()));
        ASSERT_TRUE(applet_.IsLoaded());
    }

    // Opens the dialog with CPL_STARTWPARMSW (text non-null) or CPL_DBLCLK
    // while drive runs on a thread of its own; drive ends the dialog.
    template <typename Drive>
    LONG OpenDialog(const wchar_t* startText, Drive drive) {
        std::thread driver([&] {
            HWND dialog = nullptr;
            if (!WaitUntil([&] { return (dialog = FindMainDialog()) != nullptr; })) {
                ADD_FAILURE() << "the dialog was not shown";
                return;
            }
            drive(dialog);
            if (IsWindow(dialog)) {
                SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            }
        });
        const LONG answer = startText != nullptr ? applet_.Send(CPL_STARTWPARMSW, 0,
                                                                reinterpret_cast<LPARAM>(startText))
                                                 : applet_.Send(CPL_DBLCLK);
        driver.join();
        return answer;
    }

    std::string LogAfterExit() {
        applet_.Send(CPL_EXIT);
        return ReadFileBytes(root_.Path() + u"\\Camfolio\\CAMFOLIO.log");
    }

    RegistrySandbox registry_;
    TestInstallation installation_{registry_};
    TempDir root_;
    AppletLibrary applet_;
};
