// Path and drive helpers against Wine's real file system.
#include "common/paths/path_helpers.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/paths/known_folders_win32.h"
#include "common/win32/wide_win32.h"
#include "tests/support/file_helpers_win32.h"

namespace {

class PathHelpers : public ::testing::Test {
  protected:
    void SetUp() override {
        char16_t temp[260];
        ASSERT_TRUE(GetTempFolder(temp, 260));
        base_ = std::u16string(temp) + u"camfolio-path-test-" +
                std::u16string(1, static_cast<char16_t>(u'a' + GetCurrentProcessId() % 26));
        RemoveTree(base_);
        ASSERT_TRUE(CreateDirectoryW(AsWide(base_.c_str()), nullptr));
    }
    void TearDown() override { RemoveTree(base_); }

    static bool Exists(const std::u16string& path) {
        return GetFileAttributesW(AsWide(path.c_str())) != INVALID_FILE_ATTRIBUTES;
    }

    std::u16string base_;
};

TEST_F(PathHelpers, EnsurePathOnRootsNamesAndDeepPaths) {
    EXPECT_TRUE(EnsurePath(u"C:\\", false)) << "an existing drive root";
    EXPECT_FALSE(EnsurePath(u"C:\\camfolio-never-made", false))
        << "a root and one file name handles no folder";
    EXPECT_FALSE(Exists(u"C:\\camfolio-never-made"));
    EXPECT_FALSE(EnsurePath(u"no drive\\here", true));
    EXPECT_FALSE(EnsurePath(nullptr, true));

    const std::u16string deep = base_ + u"\\a\\b\\c";
    EXPECT_TRUE(EnsurePath((deep + u"\\file.jpg").c_str(), false));
    EXPECT_TRUE(Exists(deep));
    EXPECT_FALSE(Exists(deep + u"\\file.jpg"));

    const std::u16string last = base_ + u"\\x\\y";
    EXPECT_TRUE(EnsurePath(last.c_str(), true));
    EXPECT_TRUE(Exists(last));
    EXPECT_TRUE(EnsurePath((last + u"\\").c_str(), true)) << "existing folders are fine";
}

TEST_F(PathHelpers, EnsurePathStopsAtAFileInAFoldersPlace) {
    const std::u16string file = base_ + u"\\plain";
    CloseHandle(
        CreateFileW(AsWide(file.c_str()), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_FALSE(EnsurePath((file + u"\\sub\\name").c_str(), true));
    EXPECT_FALSE(EnsurePath(file.c_str(), true));
    const std::u16string tooLong = base_ + u"\\" + std::u16string(300, u'z');
    EXPECT_FALSE(EnsurePath(tooLong.c_str(), true));
}

TEST_F(PathHelpers, FileExistsWithAndWithoutName) {
    const std::u16string file = base_ + u"\\there.txt";
    CloseHandle(
        CreateFileW(AsWide(file.c_str()), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_TRUE(FileExists(file.c_str(), nullptr));
    EXPECT_TRUE(FileExists(base_.c_str(), u"there.txt"));
    EXPECT_TRUE(FileExists((base_ + u"\\").c_str(), u"there.txt"));
    EXPECT_FALSE(FileExists(base_.c_str(), u"missing.txt"));
    EXPECT_FALSE(FileExists(nullptr, u"there.txt"));
}

TEST_F(PathHelpers, DriveTypes) {
    EXPECT_EQ(GetDriveTypeEx(u"C:\\"), static_cast<unsigned>(DRIVE_FIXED));
    // Wine maps few letters; find one without a root directory.
    for (char16_t letter = u'Q'; letter <= u'Y'; ++letter) {
        const char16_t root[] = {letter, u':', u'\\', u'\0'};
        if (GetDriveTypeW(AsWide(root)) == DRIVE_NO_ROOT_DIR) {
            EXPECT_EQ(GetDriveTypeEx(root), kDriveNoRootDir);
            EXPECT_FALSE(EnsurePath(root, false));
            return;
        }
    }
}

}  // namespace
