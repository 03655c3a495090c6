// "Check for a new version" in the built applet, against the test web
// servers, with a stand-in browser for the download page.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "applet/main_dlg_ids.h"
#include "common/win32/wide_win32.h"
#include "config/mapper_contract.h"
#include "config/reg_key_win32.h"
#include "tests/applet/applet_dialog_fixture.h"
#include "tests/support/machine_value_win32.h"
#include "tests/support/message_box_watcher_win32.h"
#include "tests/support/u16.h"
#include "tests/update/test_servers_win32.h"
#include "update/version_fetch_win32.h"
#include "update/version_text.h"

namespace {

constexpr char16_t kHttpCommand[] = u"http\\shell\\open\\command";

bool CheckEnabled(HWND dialog) {
    return IsWindowEnabled(GetDlgItem(dialog, IDC_MAIN_CHECK_UPDATE)) != FALSE;
}

void PressCheck(HWND dialog) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_MAIN_CHECK_UPDATE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_MAIN_CHECK_UPDATE)));
}

class UpdateCheckButton : public AppletDialog {
  protected:
    void SetUp() override {
        AppletDialog::SetUp();
        ports_ = TestServerPorts();
        ASSERT_FALSE(ports_.empty()) << "the test web servers are not running";
        const RegKey command = RegKey::OpenForRead(HKEY_CLASSES_ROOT, kHttpCommand);
        savedCommand_ = command.ReadString(nullptr, 1024);
        record_ = root_.Path() + u"\\browser-record.txt";
        SetEnvironmentVariableW(L"CAMFOLIO_BROWSER_RECORD", AsWide(record_.c_str()));
        const std::u16string browser =
            u"\"" + BuildTreeFolder(u"standins\\browser") + u"\\browser.exe\" \"%1\"";
        RegKey::CreateForWrite(HKEY_CLASSES_ROOT, kHttpCommand)
            .WriteString(nullptr, browser.c_str());
        ASSERT_EQ(applet_.Send(CPL_INIT), 1);
    }
    void TearDown() override {
        applet_.Send(CPL_EXIT);
        const RegKey command = RegKey::CreateForWrite(HKEY_CLASSES_ROOT, kHttpCommand);
        if (savedCommand_) {
            command.WriteString(nullptr, savedCommand_->c_str());
        } else {
            command.DeleteValue(nullptr);
        }
    }

    std::u16string Server(const char* name) {
        return u"127.0.0.1:" + Widen(std::to_string(ports_.at(name)));
    }

    // Presses the button with the server of that name; the message box shown.
    MessageBoxWatcher::Box CheckAgainst(const char* server, int answer = IDOK) {
        const MachineValue mirror(contract::kSettingsKey, kUpdateServerValue);
        mirror.Set(Server(server).c_str());
        MessageBoxWatcher watcher(answer);
        OpenDialog(nullptr, [&](HWND dialog) {
            EXPECT_TRUE(CheckEnabled(dialog));
            PressCheck(dialog);
            EXPECT_TRUE(
                WaitUntil([&] { return !watcher.Boxes().empty(); }, std::chrono::seconds(30)));
            EXPECT_TRUE(WaitUntil([&] { return CheckEnabled(dialog); }))
                << "enabled after the check";
        });
        const auto boxes = watcher.Boxes();
        return boxes.empty() ? MessageBoxWatcher::Box{} : boxes.front();
    }

    std::map<std::string, int> ports_;
    std::optional<std::u16string> savedCommand_;
    std::u16string record_;
};

TEST_F(UpdateCheckButton, TellsThatTheInstalledVersionIsTheLatest) {
    const auto box = CheckAgainst("nginx_moved");  // 4.1.0.265 behind a redirect
    EXPECT_EQ(box.title, u"Camfolio");
    EXPECT_EQ(box.text, AlreadyLatestMessage());
}

TEST_F(UpdateCheckButton, OffersTheDownloadPageOfANewerVersion) {
    const auto box = CheckAgainst("nginx_plain", IDYES);  // 4.1.0.270
    EXPECT_EQ(box.text, NewVersionQuestion({4, 1, 0, 270}));
    ASSERT_TRUE(WaitUntil([&] {
        return GetFileAttributesW(AsWide(record_.c_str())) != INVALID_FILE_ATTRIBUTES;
    })) << "the browser was not started";
    const std::u16string recorded = ReadUtf16File(record_);
    EXPECT_NE(recorded.find(u"\"http://www.camfolio.example/download.html\""), std::u16string::npos)
        << Narrow(recorded);
}

TEST_F(UpdateCheckButton, WarnsWhenNoVersionCanBeHad) {
    for (const char* server : {"refused", "nginx_missing"}) {
        const auto box = CheckAgainst(server);
        EXPECT_EQ(box.text, u"Error occurred while checking if a new version is available.")
            << server;
    }
}

TEST_F(UpdateCheckButton, RunsOneCheckAtATimeWithTheButtonOff) {
    const MachineValue mirror(contract::kSettingsKey, kUpdateServerValue);
    mirror.Set(Server("slow").c_str());
    MessageBoxWatcher watcher;
    OpenDialog(nullptr, [&](HWND dialog) {
        PressCheck(dialog);
        EXPECT_TRUE(WaitUntil([&] { return !CheckEnabled(dialog); }));
        // The click of a disabled button can still arrive as a message.
        PressCheck(dialog);
        EXPECT_TRUE(WaitUntil([&] { return !watcher.Boxes().empty(); }, std::chrono::seconds(30)));
        EXPECT_TRUE(WaitUntil([&] { return CheckEnabled(dialog); }));
        Sleep(2000);  // a second check would show its box by now
    });
    EXPECT_EQ(watcher.Boxes().size(), 1u);
}

TEST_F(UpdateCheckButton, ClosingTheDialogDuringACheckEndsItQuickly) {
    const MachineValue mirror(contract::kSettingsKey, kUpdateServerValue);
    mirror.Set(Server("silent").c_str());
    MessageBoxWatcher watcher;
    std::chrono::steady_clock::time_point closed;
    OpenDialog(nullptr, [&](HWND dialog) {
        PressCheck(dialog);
        EXPECT_TRUE(WaitUntil([&] { return !CheckEnabled(dialog); }));
        Sleep(500);
        closed = std::chrono::steady_clock::now();
    });
    EXPECT_LT(std::chrono::steady_clock::now() - closed, std::chrono::seconds(5));
    applet_.Send(CPL_EXIT);
    EXPECT_TRUE(watcher.Boxes().empty()) << "a stopped check says nothing";
}

}  // namespace
