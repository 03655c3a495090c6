// The About page in the built applet: the licence notices on their tabs and
// the button that opens the data folder with the shell program.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <utility>

#include "applet/about_page_ids.h"
#include "applet/main_dlg_ids.h"
#include "common/paths/known_folders_win32.h"
#include "common/win32/wide_win32.h"
#include "config/mapper_contract.h"
#include "tests/applet/page_fixture_win32.h"
#include "tests/support/file_helpers_win32.h"
#include "tests/support/u16.h"

namespace {

using AboutPage = AppletPageTest;

HWND About(HWND dialog) {
    return FindPage(dialog, IDC_ABOUT_OPEN_DATA);
}

void SelectNoticeTab(HWND page, int index) {
    HWND tabs = GetDlgItem(page, IDC_ABOUT_NOTICES_TABS);
    TabCtrl_SetCurSel(tabs, index);
    NMHDR header{};
    header.hwndFrom = tabs;
    header.idFrom = IDC_ABOUT_NOTICES_TABS;
    header.code = TCN_SELCHANGE;
    SendMessageW(page, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

std::u16string NoticeText(HWND page) {
    HWND edit = GetDlgItem(page, IDC_ABOUT_NOTICE);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    GetWindowTextW(edit, text.data(), static_cast<int>(text.size()));
    text.resize(text.size() - 1);
    return std::u16string(AsU16(text));
}

std::u16string FaceOf(HWND control) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    LOGFONTW description{};
    GetObjectW(font, sizeof description, &description);
    return AsU16(description.lfFaceName);
}

TEST_F(AboutPage, EachTabShowsItsLicenceFromTheTop) {
    OpenDialog(L"3", [](HWND dialog) {
        HWND page = About(dialog);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(ItemText(page, IDC_ABOUT_OPEN_DATA),
                  u"&Open location of the Camfolio data files");
        EXPECT_EQ(ItemText(page, IDC_ABOUT_THIRD_PARTIES), u"Third parties:");
        EXPECT_EQ(FaceOf(GetDlgItem(page, IDC_ABOUT_NOTICE)), u"Courier New");
        HWND edit = GetDlgItem(page, IDC_ABOUT_NOTICE);
        const struct {
            int tab;
            const char16_t* firstLine;
            const char16_t* later;  // a line further down
        } notices[] = {
            {0, u"OpenSSL License\r\n", u"\r\nOriginal SSLeay License\r\n"},
            {1, u"                   GNU LESSER GENERAL PUBLIC LICENSE\r\n",
             u"\r\n  0. Additional Definitions.\r\n"},
            {0, u"OpenSSL License\r\n", u"\r\nOriginal SSLeay License\r\n"},
        };
        for (const auto& notice : notices) {
            SCOPED_TRACE(notice.tab);
            // Scrolled away first: each switch must start at the top again.
            SendMessageW(edit, EM_LINESCROLL, 0, 20);
            SelectNoticeTab(page, notice.tab);
            const std::u16string text = NoticeText(page);
            EXPECT_TRUE(text.starts_with(notice.firstLine)) << Narrow(text.substr(0, 80));
            EXPECT_NE(text.find(notice.later), std::u16string::npos);
            EXPECT_EQ(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
        }
    });
}

// The data folder deleted as a user would, and put back at the end with
// what it held (the installed language files).
class DataFolderAside {
  public:
    explicit DataFolderAside(std::u16string folder)
        : folder_(std::move(folder)), aside_(folder_ + u".aside") {
        RemoveTree(aside_);
        moved_ = MoveFileW(AsWide(folder_.c_str()), AsWide(aside_.c_str())) != FALSE;
    }
    ~DataFolderAside() {
        RemoveTree(folder_);
        if (moved_) {
            MoveFileW(AsWide(aside_.c_str()), AsWide(folder_.c_str()));
        }
    }
    DataFolderAside(const DataFolderAside&) = delete;
    DataFolderAside& operator=(const DataFolderAside&) = delete;

  private:
    std::u16string folder_;
    std::u16string aside_;
    bool moved_ = false;
};

TEST_F(AboutPage, TheDataFolderButtonRemakesTheFolderAndOpensItWithTheShellProgram) {
    char16_t common[MAX_PATH];
    ASSERT_TRUE(GetCommonAppDataFolder(common, MAX_PATH));
    const std::u16string folder = std::u16string(common) + u"\\" + contract::kProductFolder;
    const DataFolderAside aside(folder);
    ASSERT_FALSE(std::filesystem::exists(std::filesystem::path(folder)));

    const std::u16string record = root_.Path() + u"\\shell-record.txt";
    SetEnvironmentVariableW(L"CAMFOLIO_BROWSER_RECORD", AsWide(record.c_str()));
    const std::u16string browser = BuildTreeFolder(u"standins\\browser") + u"\\browser.exe";
    const MachineValue shell(contract::kWinlogonKey, contract::kShell);
    ASSERT_TRUE(shell.Set(browser.c_str()));

    OpenDialog(L"3", [&](HWND dialog) { Click(About(dialog), IDC_ABOUT_OPEN_DATA); });
    EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(folder)));
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(std::filesystem::path(record)); }));
    const std::string bytes = ReadFileBytes(record);
    std::u16string line(bytes.size() / 2, u'\0');
    std::memcpy(line.data(), bytes.data(), line.size() * 2);
    EXPECT_TRUE(line.ends_with(folder)) << Narrow(line);
    EXPECT_NE(line.find(u"browser.exe"), std::u16string::npos) << Narrow(line);
}

}  // namespace
