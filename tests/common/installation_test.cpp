// Installation paths, versions, icons and checks against files laid out in
// Wine's file system, with the stand-ins for the outside components.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/system/file_version_win32.h"
#include "common/system/installation_check_win32.h"
#include "common/system/module_path_win32.h"
#include "common/system/product_icon_win32.h"
#include "common/win32/wide_win32.h"
#include "tests/support/message_box_watcher_win32.h"
#include "tests/support/registry_sandbox_win32.h"
#include "tests/support/test_installation_win32.h"
#include "tests/support/u16.h"

namespace {

// An installation with a blank in its folder name, filled per test.
class Installation : public ::testing::Test {
  protected:
    void InstallConsistent(const char16_t* dokanVariant) {
        ASSERT_TRUE(installation_.InstallConsistent(dokanVariant));
    }
    void Install(const char16_t* from, const char16_t* name) {
        ASSERT_TRUE(installation_.Install(from, name));
    }

    RegistrySandbox registry_;
    TestInstallation installation_{registry_};
    const std::u16string& folder_ = installation_.Folder();
};

TEST_F(Installation, ModulePathsComeFromTheInstallationFolder) {
    InstallConsistent(u"standins\\dokan-expected");
    char16_t path[260];
    ASSERT_TRUE(BuildModulePath(path, 260, u"Camfolio.exe", false));
    EXPECT_EQ(std::u16string(path), folder_ + u"\\Camfolio.exe");
    ASSERT_TRUE(BuildModulePath(path, 260, u"Camfolio.exe", true));
    EXPECT_EQ(std::u16string(path), u"\"" + folder_ + u"\\Camfolio.exe\"");

    // Not installed: the folder of the running module is used instead.
    ASSERT_TRUE(BuildModulePath(path, 260, u"CamfolioFmt.exe", false));
    EXPECT_EQ(std::u16string(path), BuildTreeFolder(u"tests\\CamfolioFmt.exe"));

    registry_.RemoveInstallDir();
    EXPECT_FALSE(BuildModulePath(path, 260, u"Camfolio.exe", false));
    EXPECT_EQ(path[0], u'\0');
}

TEST_F(Installation, FileVersionsAndIcons) {
    InstallConsistent(u"standins\\dokan-expected");
    char16_t version[30];
    ASSERT_TRUE(FormatFileVersion((folder_ + u"\\Camfolio.exe").c_str(), version, 30));
    EXPECT_EQ(Narrow(version), "4.1 (build 265)");
    VS_FIXEDFILEINFO fixed{};
    ASSERT_TRUE(GetFileVersionFixed((folder_ + u"\\Camfolio.dll").c_str(), &fixed));
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00040001u);
    EXPECT_EQ(fixed.dwFileVersionLS, 265u);

    const std::u16string notes = folder_ + u"\\notes.txt";
    CloseHandle(
        CreateFileW(AsWide(notes.c_str()), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_FALSE(FormatFileVersion(notes.c_str(), version, 30));

    HICON icon = LoadTheIcon(true, true, 0);
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 16);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    EXPECT_EQ(LoadTheIcon(true, false, 4242), nullptr);
}

TEST_F(Installation, ConsistentInstallationPasses) {
    InstallConsistent(u"standins\\dokan-expected");
    MessageBoxWatcher boxes;
    std::uint32_t library = 0;
    std::uint32_t driver = 0;
    EXPECT_TRUE(CheckOsSupported(false));
    EXPECT_TRUE(CheckInstallation(&library, &driver, false));
    EXPECT_EQ(library, 800u);
    EXPECT_EQ(driver, 400u);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(Installation, DokanProblemsAreReported) {
    struct Case {
        const char16_t* variant;
        const char* message;
    };
    const Case cases[] = {
        {u"standins\\dokan-no-driver", "dokan.sys is not available."},
        {u"standins\\dokan-other-driver", "CAMFOLIO.CPL is not compatible with DOKAN.SYS"},
        {u"standins\\dokan-other-library", "CAMFOLIO.CPL is not compatible with DOKAN.DLL"},
    };
    for (const Case& c : cases) {
        InstallConsistent(c.variant);
        {
            MessageBoxWatcher boxes;
            EXPECT_FALSE(CheckInstallation(nullptr, nullptr, true)) << c.message;
            EXPECT_TRUE(boxes.Boxes().empty()) << "quiet shows nothing: " << c.message;
        }
        MessageBoxWatcher boxes;
        EXPECT_FALSE(CheckInstallation(nullptr, nullptr, false));
        const auto shown = boxes.Boxes();
        ASSERT_EQ(shown.size(), 1u) << c.message;
        EXPECT_EQ(Narrow(shown[0].text), c.message);
        EXPECT_EQ(Narrow(shown[0].title), "Camfolio - Error");
    }
}

TEST_F(Installation, MismatchedShellLibraryIsReportedEvenWhenQuiet) {
    InstallConsistent(u"standins\\dokan-expected");
    Install(u"standins\\shell-library-older", u"Camfolio.dll");
    MessageBoxWatcher boxes;
    EXPECT_FALSE(CheckInstallation(nullptr, nullptr, true));
    const auto shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(Narrow(shown[0].text), "Camfolio.cpl is not compatible with Camfolio.dll");
}

// regsvr32 loads the applet while the Dokan driver may not be installed yet:
// the missing driver is then not reported. This test copies itself as
// "regsvr32.exe" and runs that copy against an installation without driver.
bool RunningAs(const char16_t* name) {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::u16string own(AsU16(path), n);
    return own.substr(own.find_last_of(u'\\') + 1) == name;
}

TEST(InstallationUnderRegsvr32, MissingDriverIsNotReported) {
    if (RunningAs(u"regsvr32.exe")) {
        MessageBoxWatcher boxes;
        EXPECT_TRUE(CheckInstallation(nullptr, nullptr, false));
        EXPECT_TRUE(boxes.Boxes().empty());
        return;
    }
    RegistrySandbox registry;
    TestInstallation installation(registry);
    ASSERT_TRUE(installation.InstallConsistent(u"standins\\dokan-no-driver"));
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::u16string copy = installation.Folder() + u"\\regsvr32.exe";
    ASSERT_TRUE(CopyFileW(self, AsWide(copy.c_str()), FALSE));
    std::u16string commandLine =
        u"\"" + copy + u"\" --gtest_filter=InstallationUnderRegsvr32.MissingDriverIsNotReported";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, AsWide(commandLine.data()), nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, &startup, &process));
    DWORD exitCode = 1;
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), static_cast<DWORD>(WAIT_OBJECT_0));
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    DeleteFileW(AsWide(copy.c_str()));
    EXPECT_EQ(exitCode, 0u) << "the check run as regsvr32.exe failed or reported the driver";
}

}  // namespace
