#include "state/directory/directory.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "common/format/calendar.h"
#include "state/directory/crc32.h"
#include "state/directory/first_use_time.h"
#include "state/directory/item_label.h"
#include "tests/support/trace_capture.h"
#include "tests/support/u16.h"

namespace {

using ::testing::Contains;

constexpr std::uint64_t kTicksPerMinute = 600000000;

std::uint64_t FileTimeOf(const CalendarTime& fields) {
    std::uint64_t fileTime = 0;
    EXPECT_TRUE(CalendarToFileTime(fields, &fileTime));
    return fileTime;
}

bool AddPicture(CDirectory& directory, const char16_t* name, const char16_t* extension,
                const std::uint64_t* fileTime = nullptr, const char16_t* suffix = nullptr) {
    const std::u16string path = u"\\DCIM\\100CANON\\" + std::u16string(name);
    return directory.AddFile(name, path.c_str(), extension, 2048, fileTime, nullptr, nullptr, 0,
                             suffix, 0x20);
}

TEST(DirectoryInit, StartsWithThePersistentRootAndKeepsTheExclusionsOnly) {
    CDirectory directory;
    directory.AddExclusionPattern(u"t?m");
    directory.Init(u"C:\\Cache\\Cam");
    ASSERT_TRUE(AddPicture(directory, u"IMG_0001", u"JPG"));
    directory.AddSize(100);
    directory.PropertyNames().emplace_back(u"Manufacturer");

    directory.Init(nullptr);
    EXPECT_TRUE(directory.Items().empty());
    EXPECT_TRUE(directory.PropertyNames().empty());
    EXPECT_EQ(directory.Total(), 0);
    EXPECT_EQ(Narrow(directory.GetRootDir()), "C:\\Cache\\Cam");
    ASSERT_EQ(directory.PersistentDirectories().size(), 1U);
    const DirectoryItem& root = *directory.PersistentDirectories().front();
    EXPECT_EQ(Narrow(root.Name()), "\\");
    EXPECT_EQ(Narrow(root.Path()), "\\");
    EXPECT_EQ(root.findData.attributes, kDirectoryAttribute);
    EXPECT_EQ(root.findData.lastWriteTime, FirstUseFileTime());
    EXPECT_FALSE(AddPicture(directory, u"IMG_0001", u"THM"));

    // Exclusions sort out files only: the root stays.
    directory.AddExclusionPattern(u"*");
    directory.Init(nullptr);
    EXPECT_EQ(directory.PersistentDirectories().size(), 1U);
    EXPECT_TRUE(directory.AddPersistentDirectory(false, u"DCIM\\", 0, nullptr));
    EXPECT_FALSE(AddPicture(directory, u"IMG_0001", u""));

    directory.Cleanup(true);
    directory.Init(nullptr);
    EXPECT_TRUE(AddPicture(directory, u"IMG_0001", u"THM"));
}

TEST(DirectoryAddFile, FillsNamesLabelChecksumsAndFindData) {
    CDirectory directory;
    directory.Init(nullptr);
    ASSERT_TRUE(AddPicture(directory, u"IMG_0001", u"JPG"));
    const DirectoryItem& item = *directory.Items().back();
    EXPECT_EQ(Narrow(item.FileName()), "IMG_0001.JPG");
    EXPECT_EQ(Narrow(item.Name()), "IMG_0001");
    EXPECT_EQ(Narrow(item.Path()), "\\DCIM\\100CANON\\IMG_0001");
    EXPECT_EQ(item.Label(), u"IMG_0001" + MinuteStamp(FirstUseFileTime()));
    EXPECT_EQ(item.nameChecksum, Crc32OfLowBytes(u"IMG_0001"));
    EXPECT_EQ(item.labelChecksum, Crc32OfLowBytes(item.Label()));
    EXPECT_EQ(item.findData.attributes, 0x20U);
    EXPECT_EQ(item.findData.sizeLow, 2048U);
    EXPECT_EQ(item.findData.sizeHigh, 0U);
    EXPECT_EQ(item.findData.lastAccessTime, 0U);
    EXPECT_EQ(item.findData.creationTime, FirstUseFileTime());
    EXPECT_TRUE(item.children.empty());
}

TEST(DirectoryAddFile, TimeOffsetMovesTheFindTimesButNotTheLabel) {
    CDirectory directory;
    directory.Init(nullptr);
    directory.SetTimeOffset(-90);
    const std::uint64_t shot = FileTimeOf({2010, 5, 6, 14, 3, 9, 0});
    TraceCapture trace;
    ASSERT_TRUE(AddPicture(directory, u"IMG_0002", u"CR2", &shot, u"_B"));
    const DirectoryItem& item = *directory.Items().back();
    EXPECT_EQ(Narrow(item.Label()), "IMG_0002-201005061403_B");
    EXPECT_EQ(item.findData.creationTime, shot - 90 * kTicksPerMinute);
    EXPECT_EQ(item.findData.lastWriteTime, item.findData.creationTime);
    const auto texts = trace.Texts();
    EXPECT_THAT(texts, Contains("D11@CDirectory::_AddItem: TS = 201005061403_B"));
    EXPECT_THAT(texts, Contains("D11@CDirectory::_AddItem: FN = IMG_0002.CR2"));

    // An offset before the calendar's start stops at its first moment.
    const std::uint64_t early = 5;
    ASSERT_TRUE(AddPicture(directory, u"IMG_0003", u"", &early));
    EXPECT_EQ(directory.Items().back()->findData.creationTime, 0U);
    EXPECT_EQ(Narrow(directory.Items().back()->FileName()), "IMG_0003");
}

TEST(DirectoryAddFile, UnknownSizeCallerStringsAndOverlongTextsStayInTheirFields) {
    CDirectory directory;
    directory.Init(nullptr);
    const char16_t* three[] = {u"a", nullptr, u"c"};
    ASSERT_TRUE(directory.AddFile(u"IMG_1", u"\\IMG_1", u"JPG", kUnknownFileSize, nullptr,
                                  &directory, three, 3, nullptr, 0));
    const DirectoryItem& item = *directory.Items().back();
    EXPECT_EQ(item.findData.sizeLow, 0U);
    EXPECT_EQ(item.owner, &directory);
    EXPECT_EQ(Narrow(item.Text(ItemText::String1)), "a");
    EXPECT_EQ(Narrow(item.Text(ItemText::String2)), "");
    EXPECT_EQ(Narrow(item.Text(ItemText::String3)), "c");

    ASSERT_TRUE(
        directory.AddFile(u"IMG_2", u"\\IMG_2", u"JPG", 1, nullptr, nullptr, three, 2, nullptr, 0));
    EXPECT_EQ(Narrow(directory.Items().back()->Text(ItemText::String1)), "");

    const std::u16string longName(300, u'n');
    const std::u16string longPath(600, u'p');
    const std::u16string longString(150, u's');
    const char16_t* longStrings[] = {longString.c_str(), longString.c_str(), longString.c_str()};
    ASSERT_TRUE(directory.AddFile(longName.c_str(), longPath.c_str(), u"JPG", 1, nullptr, nullptr,
                                  longStrings, 3, longName.c_str(), 0));
    const DirectoryItem& cut = *directory.Items().back();
    EXPECT_EQ(cut.Name().size(), 259U);
    EXPECT_EQ(cut.Path().size(), 519U);
    EXPECT_EQ(cut.ShortPath().size(), 259U);
    EXPECT_EQ(cut.FileName().size(), 259U);
    EXPECT_EQ(cut.Suffix().size(), 259U);
    EXPECT_EQ(cut.Label().size(), 519U);
    EXPECT_EQ(cut.Text(ItemText::String3).size(), 99U);
    EXPECT_EQ(std::u16string_view(cut.CText(ItemText::Name)).size(), 259U);
}

TEST(DirectoryAddSize, NeverFallsBelowZero) {
    CDirectory directory;
    directory.Init(nullptr);
    EXPECT_EQ(directory.AddSize(5), 5);
    TraceCapture trace;
    EXPECT_EQ(directory.AddSize(-10), 0);
    EXPECT_THAT(trace.Texts(), Contains("D3@CDirectory::AddSize: Negative total size"));
    EXPECT_EQ(directory.AddSize(7), 7);
}

TEST(DirectoryAddPersistentDirectory, NeedsATrailingSeparatorAndNamesTheLastPart) {
    struct Case {
        const char16_t* path;
        bool added;
        const char* name;
    };
    const Case cases[] = {
        {u"DCIM", false, ""},
        {u"", false, ""},
        {u"DCIM\\100CANON\\", true, "100CANON"},
        {u"\\DCIM\\", true, "DCIM"},
        {u"MISC\\", true, "MISC"},
    };
    for (const Case& c : cases) {
        CDirectory directory;
        directory.Init(nullptr);
        DirectoryItem* item = nullptr;
        EXPECT_EQ(directory.AddPersistentDirectory(false, c.path, 0x1, &item), c.added)
            << Narrow(c.path);
        if (!c.added) {
            EXPECT_EQ(item, nullptr);
            EXPECT_EQ(directory.PersistentDirectories().size(), 1U);
            continue;
        }
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(directory.PersistentDirectories().back().get(), item);
        EXPECT_EQ(Narrow(item->Name()), c.name);
        EXPECT_EQ(item->Path(), std::u16string_view(c.path));
        EXPECT_EQ(item->findData.attributes, 0x11U);
        EXPECT_EQ(item->findData.lastWriteTime, FirstUseFileTime());
    }

    CDirectory directory;
    directory.Init(nullptr);
    ASSERT_TRUE(directory.AddPersistentDirectory(true, u"DCIM\\", 0, nullptr));
    EXPECT_EQ(Narrow(directory.PersistentDirectories().front()->Name()), "DCIM");
}

}  // namespace
