// Deleting files and folder trees on Wine's real file system.
#include "diag/housekeeping/file_housekeeping.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <span>
#include <string>

#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"
#include "tests/support/temp_dir.h"
#include "tests/support/trace_capture.h"
#include "tests/support/u16.h"
#include "tests/support/unix_link_win32.h"

namespace {

bool Exists(const std::u16string& path) {
    return GetFileAttributesW(AsWide(path.c_str())) != INVALID_FILE_ATTRIBUTES;
}

std::u16string WriteFile(const TempDir& temp, const std::string& name) {
    const std::byte data[] = {std::byte{'x'}};
    return temp.Write(name, std::span<const std::byte>(data));
}

void MakeReadOnly(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(AsWide(path.c_str()));
    ASSERT_TRUE(SetFileAttributesW(AsWide(path.c_str()), attributes | FILE_ATTRIBUTE_READONLY));
}

TEST(FileHousekeeping, DeleteFileExDeletesReadOnlyFilesAndReportsMissingOnes) {
    TempDir temp;
    const std::u16string file = WriteFile(temp, "locked.jpg");
    MakeReadOnly(file);
    std::vector<std::string> lines;
    {
        TraceCapture trace;
        EXPECT_TRUE(DeleteFileEx(file.c_str()));
        EXPECT_FALSE(DeleteFileEx(file.c_str()));
        lines = trace.Texts();
    }
    EXPECT_FALSE(Exists(file));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "T4@DeleteFileEx: ENTER ");
    EXPECT_EQ(lines[1], "T4@DeleteFileEx: " + Narrow(file));
    EXPECT_EQ(lines[2], "T4@DeleteFileEx: RETURN: RC=0x00000001 (S_FALSE)");
    EXPECT_EQ(lines.back(), "T4@DeleteFileEx: RETURN: RC=0x00000000 (S_OK)");
}

TEST(FileHousekeeping, RemoveDirectoryExRemovesOnlyEmptyFolders) {
    TempDir temp;
    const std::u16string empty = temp.MakeFolder("empty");
    MakeReadOnly(empty);
    EXPECT_TRUE(RemoveDirectoryEx(empty.c_str()));
    EXPECT_FALSE(Exists(empty));

    const std::u16string full = temp.MakeFolder("full");
    WriteFile(temp, "full/a.jpg");
    EXPECT_FALSE(RemoveDirectoryEx(full.c_str()));
    EXPECT_TRUE(Exists(full));
}

TEST(FileHousekeeping, DeleteDirectoryRecursiveDeletesTheWholeTree) {
    TempDir temp;
    const std::u16string root = temp.MakeFolder("cache");
    temp.MakeFolder("cache/DCIM");
    temp.MakeFolder("cache/DCIM/100NIKON");
    MakeReadOnly(WriteFile(temp, "cache/DCIM/100NIKON/DSC_0001.JPG"));
    WriteFile(temp, "cache/DCIM/100NIKON/DSC_0002.JPG");
    WriteFile(temp, "cache/top.txt");
    const std::u16string readOnlyFolder = temp.MakeFolder("cache/kept");
    MakeReadOnly(readOnlyFolder);

    EXPECT_TRUE(DeleteDirectoryRecursive(root.c_str()));
    EXPECT_FALSE(Exists(root));
    EXPECT_FALSE(DeleteDirectoryRecursive(root.c_str()));
}

TEST(FileHousekeeping, DeleteDirectoryRecursiveStopsAtAnOpenFile) {
    TempDir temp;
    const std::u16string root = temp.MakeFolder("cache");
    const std::u16string inner = temp.MakeFolder("cache/DCIM");
    const std::u16string open = WriteFile(temp, "cache/DCIM/open.jpg");
    const UniqueHandle held(CreateFileW(AsWide(open.c_str()), GENERIC_READ, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held.IsValid());

    EXPECT_FALSE(DeleteDirectoryRecursive(root.c_str()));
    EXPECT_TRUE(Exists(open));
    EXPECT_TRUE(Exists(inner));
    EXPECT_TRUE(Exists(root));
}

// Whatever the system can do with a link, what it points to stays: a folder
// with a file, and an empty folder, which deleting "through" the link would
// remove.
TEST(FileHousekeeping, DeleteDirectoryRecursiveNeverLeavesTheFolderThroughALink) {
    TempDir temp;
    const std::u16string outside = temp.MakeFolder("outside");
    const std::u16string outsideFile = WriteFile(temp, "outside/keep.jpg");
    const std::u16string emptyOutside = temp.MakeFolder("empty-outside");
    const std::u16string root = temp.MakeFolder("cache");
    WriteFile(temp, "cache/a.jpg");
    const UnixLink toFull(outside, root + u"\\full-link");
    const UnixLink toEmpty(emptyOutside, root + u"\\empty-link");
    if (!toFull.Made() || !toEmpty.Made()) {
        GTEST_SKIP() << "links are made through Wine's Unix side";
    }
    // The folder given is itself a link.
    const UnixLink givenLink(outside, temp.Path() + u"\\given-link");
    ASSERT_TRUE(givenLink.Made());

    const bool removedGiven = DeleteDirectoryRecursive((temp.Path() + u"\\given-link").c_str());
    const bool removedTree = DeleteDirectoryRecursive(root.c_str());

    EXPECT_TRUE(Exists(outsideFile));
    EXPECT_TRUE(Exists(emptyOutside));
    EXPECT_EQ(removedGiven, !Exists(temp.Path() + u"\\given-link"));
    EXPECT_EQ(removedTree, !Exists(root));
}

}  // namespace
