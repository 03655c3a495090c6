// The applet's dialog opened through CPlApplet and driven by messages from a
// second thread while the applet's thread runs it.
#include <windows.h>

#include <commctrl.h>
#include <cpl.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "applet/about_page_ids.h"
#include "applet/main_dlg_ids.h"
#include "applet/profiles_page_ids.h"
#include "applet/settings_page_ids.h"
#include "applet/tabby_win32.h"
#include "common/win32/wide_win32.h"
#include "config/settings_registry.h"
#include "tests/applet/applet_dialog_fixture.h"
#include "tests/applet/applet_library.h"
#include "tests/support/file_helpers_win32.h"
#include "tests/support/registry_sandbox_win32.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_installation_win32.h"
#include "tests/support/u16.h"

namespace {

// A control of each page, in tab order, to tell the pages apart.
constexpr int kPageMarkers[CTabby::kPageCount] = {IDC_SETTINGS_LANGUAGE, IDC_PROFILES_LIST,
                                                  IDC_ABOUT_OPEN_DATA};

TEST_F(AppletDialog, OpensOnThePageTheControlPanelAsksForThatTimeOnly) {
    ASSERT_EQ(applet_.Send(CPL_INIT), 1);
    // In this order: a start page must not carry over to the next opening.
    const struct {
        const wchar_t* startText;  // null: a double click
        int tab;
    } openings[] = {
        {L"2", 1}, {nullptr, 0}, {L"3", 2}, {L"0", 0}, {L"-2147483648", 0}, {L"4", 0},
    };
    for (const auto& opening : openings) {
        SCOPED_TRACE(opening.startText != nullptr ? Narrow(AsU16(opening.startText))
                                                  : "double click");
        const LONG answer = OpenDialog(opening.startText, [&](HWND dialog) {
            EXPECT_EQ(SelectedTab(dialog), opening.tab);
            for (int tab = 0; tab < CTabby::kPageCount; ++tab) {
                HWND page = FindPage(dialog, kPageMarkers[tab]);
                ASSERT_NE(page, nullptr) << "page " << tab;
                EXPECT_EQ(IsWindowVisible(page) != FALSE, tab == opening.tab) << "page " << tab;
            }
        });
        EXPECT_EQ(answer, opening.startText != nullptr ? 1 : 0);
    }
    applet_.Send(CPL_EXIT);
}

TEST_F(AppletDialog, ShowsTheHeaderWithTheMapperVersion) {
    ASSERT_EQ(applet_.Send(CPL_INIT), 1);
    EXPECT_EQ(OpenDialog(
                  nullptr,
                  [](HWND dialog) {
                      EXPECT_EQ(TextOf(dialog), u"Camfolio");
                      EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_MAIN_PRODUCT)), u"Camfolio");
                      EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_MAIN_VERSION)), u"4.1 (build 265)");
                      EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_MAIN_LINK)), u"www.camfolio.example");
                      EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_MAIN_CHECK_UPDATE)),
                                u"&Check for a new version");
                      EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_MAIN_CHECK_UPDATE)));
                      EXPECT_FALSE(ApplyEnabled(dialog));
                  }),
              0);
    // Without an installation folder the mapper cannot be found.
    registry_.RemoveInstallDir();
    OpenDialog(nullptr,
               [](HWND dialog) { EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_MAIN_VERSION)), u"?"); });
    applet_.Send(CPL_EXIT);
}

TEST_F(AppletDialog, OkRunsEveryPageEvenWithApplyOff) {
    ASSERT_TRUE(Registry_SetLoggingEnabled(true));
    ASSERT_EQ(applet_.Send(CPL_INIT), 1);
    OpenDialog(nullptr, [](HWND dialog) {
        EXPECT_FALSE(ApplyEnabled(dialog));
        // OK stores every page although Apply is off.
        Click(dialog, IDOK);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    });
    const std::string log = LogAfterExit();
    std::size_t at = 0;
    for (const char* page : {"CPL11@CSettingsPage::OnOK: ENTER", "CPL21@CProfilesPage::OnOK: ENTER",
                             "CPL31@CAboutPage::OnOK: ENTER"}) {
        at = log.find(page, at);
        ASSERT_NE(at, std::string::npos) << page << "\n" << log;
    }
}

// Where Tab leads from the tab control round to it again: 'T' the tab
// control, 'P' one or more controls of the visible page, else a button id.
std::vector<int> TabWalk(HWND dialog, HWND page) {
    HWND tabs = GetDlgItem(dialog, IDC_MAIN_TABS);
    std::vector<int> walk{'T'};
    HWND at = tabs;
    for (int step = 0; step < 64; ++step) {
        at = GetNextDlgTabItem(dialog, at, FALSE);
        if (at == nullptr || at == tabs) {
            walk.push_back(at == tabs ? 'T' : 0);
            break;
        }
        const int mark = GetParent(at) == page ? 'P' : GetDlgCtrlID(at);
        if (mark != 'P' || walk.back() != 'P') {
            walk.push_back(mark);
        }
    }
    return walk;
}

TEST_F(AppletDialog, TabLeadsFromTheTabsThroughThePageToTheButtons) {
    ASSERT_EQ(applet_.Send(CPL_INIT), 1);
    // The header's button comes last, before the tabs again.
    const std::vector<int> expected{'T', 'P', IDOK, IDCANCEL, IDC_MAIN_APPLY, IDC_MAIN_CHECK_UPDATE,
                                    'T'};
    for (const wchar_t* start : {L"1", L"2", L"3"}) {
        SCOPED_TRACE(Narrow(AsU16(start)));
        OpenDialog(start, [&](HWND dialog) {
            HWND page = FindPage(dialog, kPageMarkers[SelectedTab(dialog)]);
            // No page can enable Apply yet; its place in the order still counts.
            EnableWindow(GetDlgItem(dialog, IDC_MAIN_APPLY), TRUE);
            EXPECT_EQ(TabWalk(dialog, page), expected);

            // The dialog's own Tab key takes the same way.
            HWND tabs = GetDlgItem(dialog, IDC_MAIN_TABS);
            SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tabs), TRUE);
            PostMessageW(tabs, WM_KEYDOWN, VK_TAB, 0);
            HWND next = GetNextDlgTabItem(dialog, tabs, FALSE);
            const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
            EXPECT_TRUE(WaitUntil([&] {
                GUITHREADINFO info{};
                info.cbSize = sizeof info;
                return GetGUIThreadInfo(thread, &info) && info.hwndFocus == next;
            }));
        });
    }
    applet_.Send(CPL_EXIT);
}

// Control held down for the applet's thread: its key state is shared with the
// driver while their input is attached.
class ControlKeyHeld {
  public:
    explicit ControlKeyHeld(HWND dialog, bool shift)
        : other_(GetWindowThreadProcessId(dialog, nullptr)) {
        AttachThreadInput(GetCurrentThreadId(), other_, TRUE);
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    ~ControlKeyHeld() {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0;
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        AttachThreadInput(GetCurrentThreadId(), other_, FALSE);
    }

  private:
    DWORD other_;
};

void PressWithControl(HWND dialog, WPARAM key, bool shift, int expectedTab) {
    {
        ControlKeyHeld held(dialog, shift);
        PostMessageW(GetDlgItem(dialog, IDC_MAIN_TABS), WM_KEYDOWN, key, 0);
        EXPECT_TRUE(WaitUntil([&] { return SelectedTab(dialog) == expectedTab; }))
            << "key " << key << " shift " << shift << ": tab " << SelectedTab(dialog);
    }
}

TEST_F(AppletDialog, ControlTabAndPageKeysSwitchPagesAndWrap) {
    ASSERT_EQ(applet_.Send(CPL_INIT), 1);
    OpenDialog(L"3", [](HWND dialog) {
        ASSERT_EQ(SelectedTab(dialog), 2);
        PressWithControl(dialog, VK_TAB, false, 0);
        EXPECT_TRUE(IsWindowVisible(FindPage(dialog, IDC_SETTINGS_LANGUAGE)));
        EXPECT_FALSE(IsWindowVisible(FindPage(dialog, IDC_ABOUT_OPEN_DATA)));
        PressWithControl(dialog, VK_PRIOR, false, 2);
        PressWithControl(dialog, VK_TAB, true, 1);
        PressWithControl(dialog, VK_NEXT, false, 2);
    });
    applet_.Send(CPL_EXIT);
}

}  // namespace
