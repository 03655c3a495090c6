// Installation paths, versions, icons and checks against files laid out in
// Wine's file system, with the stand-ins for the outside components.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/file_version_win32.h"
#include "common/installation_check_win32.h"
#include "common/module_path_win32.h"
#include "common/product_icon_win32.h"
#include "common/wide_win32.h"
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

}  // namespace
