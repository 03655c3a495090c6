// The home page opens with the command registered for http: a stand-in
// browser records the command line it was started with.
#include <windows.h>

#include <cpl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <thread>

#include "applet/main_dlg_ids.h"
#include "applet/ui/link_static_win32.h"
#include "applet/ui/open_url_win32.h"
#include "common/win32/wide_win32.h"
#include "config/reg_key_win32.h"
#include "tests/applet/applet_library.h"
#include "tests/support/file_helpers_win32.h"
#include "tests/support/registry_sandbox_win32.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_installation_win32.h"

namespace {

constexpr char16_t kHttpCommand[] = u"http\\shell\\open\\command";

class BrowserCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        const RegKey key = RegKey::OpenForRead(HKEY_CLASSES_ROOT, kHttpCommand);
        if (key.IsOpen()) {
            saved_ = key.ReadString(nullptr, 1024);
        }
        record_ = folder_.Path() + u"\\browser-record.txt";
        SetEnvironmentVariableW(L"CAMFOLIO_BROWSER_RECORD", AsWide(record_.c_str()));
        browser_ = BuildTreeFolder(u"standins\\browser") + u"\\browser.exe";
    }
    void TearDown() override {
        const RegKey key = RegKey::CreateForWrite(HKEY_CLASSES_ROOT, kHttpCommand);
        if (saved_) {
            key.WriteString(nullptr, saved_->c_str());
        } else {
            key.DeleteValue(nullptr);
        }
    }

    void Register(const std::u16string& command) {
        ASSERT_TRUE(RegKey::CreateForWrite(HKEY_CLASSES_ROOT, kHttpCommand)
                        .WriteString(nullptr, command.c_str()));
    }

    // The command line the browser recorded, empty when it did not start.
    std::u16string Recorded() {
        if (!WaitUntil([&] {
                return GetFileAttributesW(AsWide(record_.c_str())) != INVALID_FILE_ATTRIBUTES;
            })) {
            return {};
        }
        std::u16string line = ReadUtf16File(record_);
        DeleteFileW(AsWide(record_.c_str()));
        return line;
    }

    std::optional<std::u16string> saved_;
    TempDir folder_;
    std::u16string record_;
    std::u16string browser_;
};

TEST_F(BrowserCommand, TakesTheUrlInPlaceOfTheMarkerOrAfterTheCommand) {
    const std::u16string quoted = u"\"" + browser_ + u"\"";
    Register(quoted + u" \"%1\"");
    OpenUrlInBrowser(u"http://www.camfolio.example");
    EXPECT_EQ(Recorded(), quoted + u" \"http://www.camfolio.example\"");

    Register(quoted + u" -new");
    OpenUrlInBrowser(u"http://www.camfolio.example");
    EXPECT_EQ(Recorded(), quoted + u" -new http://www.camfolio.example");
}

TEST_F(BrowserCommand, TheHeaderLinkShowsTheHandAndOpensTheHomePage) {
    RegistrySandbox registry;
    TestInstallation installation(registry);
    ASSERT_TRUE(installation.InstallConsistent());
    const std::u16string quoted = u"\"" + browser_ + u"\"";
    Register(quoted + u" %1");
    AppletLibrary applet;
    ASSERT_EQ(applet.Send(CPL_INIT), 1);
    std::thread driver([&] {
        HWND dialog = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (dialog = FindMainDialog()) != nullptr; }));
        const RECT link = GetControlRect(dialog, IDC_MAIN_LINK);
        const LPARAM inside =
            MAKELPARAM((link.left + link.right) / 2, (link.top + link.bottom) / 2);
        const LPARAM outside = MAKELPARAM(link.right + 40, link.bottom + 40);
        const auto classCursor = [&] {
            return reinterpret_cast<HCURSOR>(GetClassLongPtrW(dialog, GCLP_HCURSOR));
        };
        const HCURSOR before = classCursor();
        SendMessageW(dialog, WM_MOUSEMOVE, 0, inside);
        EXPECT_EQ(classCursor(), LoadCursorW(nullptr, IDC_HAND));
        SendMessageW(dialog, WM_MOUSEMOVE, 0, outside);
        EXPECT_EQ(classCursor(), before);
        SendMessageW(dialog, WM_LBUTTONUP, 0, inside);
        EXPECT_EQ(Recorded(), quoted + u" http://www.camfolio.example");
        SendMessageW(dialog, WM_MOUSEMOVE, 0, outside);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    applet.Send(CPL_DBLCLK);
    driver.join();
    applet.Send(CPL_EXIT);
}

}  // namespace
