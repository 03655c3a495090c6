#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/win32/wide_win32.h"
#include "state/directory/directory.h"
#include "tests/support/reported_windows_win32.h"
#include "tests/support/u16.h"
#include "tests/wialib/fake_camera_fixture_win32.h"
#include "wialib/wia/wia_context_win32.h"
#include "wialib/wia/wia_items_win32.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

struct Entry {
    std::string fileName;
    std::string suffix;
    std::string path;
    std::uint32_t attributes;
    friend bool operator==(const Entry&, const Entry&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Entry& entry) {
        return out << entry.fileName << " " << entry.suffix << " " << entry.path << " "
                   << entry.attributes;
    }
};

std::vector<Entry> EntriesOf(const CDirectory& directory) {
    std::vector<Entry> entries;
    for (const auto& item : directory.Items()) {
        entries.push_back({Narrow(item->FileName()), Narrow(item->Suffix()), Narrow(item->Path()),
                           item->findData.attributes});
    }
    return entries;
}

using WiaItems = FakeCameraTest;

TEST_F(WiaItems, WithRecursionEveryPictureIsAnEntryWithItsFolderSuffix) {
    CDirectory directory;
    char16_t name[100] = {};
    ASSERT_EQ(WiaLib_GetDirlist(Context(1), kFakeCameraId, &directory, 1, 0, name, std::size(name)),
              S_OK);
    const std::string pictures = "\\DCIM\\100ABCDE\\";
    const std::string full = "0000\\Root\\DCIM\\100ABCDE\\";
    EXPECT_THAT(
        EntriesOf(directory),
        ElementsAre(Entry{"IMG_0001.JPG", pictures, full + "IMG_0001", 0},
                    // No extension property: the preferred format's.
                    Entry{"IMG_0002.jpg", pictures, full + "IMG_0002", 0},
                    Entry{"IMG_0003.png", pictures, full + "IMG_0003", 0},
                    // Access rights without "can be deleted".
                    Entry{"IMG_0004.JPG", pictures, full + "IMG_0004", FILE_ATTRIBUTE_READONLY},
                    Entry{"SCREEN01.bmp", pictures, full + "SCREEN01", 0},
                    Entry{"MOV_0001.avi", "\\", "0000\\Root\\MOV_0001", 0}));
    EXPECT_EQ(directory.GetFlags() & 0x1, 0x1);
    EXPECT_EQ(Narrow(directory.GetRootDir()), "0000\\Root");
    EXPECT_EQ(Narrow(name), "Fake Camera");
    const DirectoryItem& first = *directory.Items()[0];
    EXPECT_EQ(first.findData.sizeLow, 13U);
    EXPECT_EQ(Narrow(first.Text(ItemText::String1)), "Fake Camera");
    // 15.06.2021 14:30:05 as a FILETIME, no time-zone shift.
    SYSTEMTIME time{};
    FILETIME written{static_cast<DWORD>(first.findData.lastWriteTime),
                     static_cast<DWORD>(first.findData.lastWriteTime >> 32)};
    ASSERT_TRUE(FileTimeToSystemTime(&written, &time));
    EXPECT_EQ(time.wYear, 2021);
    EXPECT_EQ(time.wHour, 14);
    EXPECT_NE(context_->cachedRoot.Get(), nullptr);
}

TEST_F(WiaItems, WithoutRecursionOnlyTheFirstLevelIsListedAndTheFlagStillSet) {
    CDirectory directory;
    ASSERT_EQ(WiaLib_GetDirlist(Context(0), kFakeCameraId, &directory, 1, 0, nullptr, 0), S_OK);
    EXPECT_THAT(EntriesOf(directory),
                ElementsAre(Entry{"MOV_0001.avi", "\\", "0000\\Root\\MOV_0001", 0}));
    EXPECT_EQ(directory.GetFlags() & 0x1, 0x1);
}

TEST_F(WiaItems, WidthAndHeightAreKeptWhenAsked) {
    PictureFolder().children[0]->properties.Set(4112, u"Pixels Per Line", FakeValue::Int(640));
    PictureFolder().children[0]->properties.Set(4114, u"Number of Lines", FakeValue::Int(480));
    CDirectory directory;
    ASSERT_EQ(WiaLib_GetDirlist(Context(), kFakeCameraId, &directory, 1, 2 | 4, nullptr, 0), S_OK);
    const DirectoryItem& first = *directory.Items()[0];
    EXPECT_EQ(Narrow(first.Text(ItemText::String2)), "640");
    EXPECT_EQ(Narrow(first.Text(ItemText::String3)), "480");
}

TEST_F(WiaItems, NamesLongerThanTheirBuffersAreCutNotOverrun) {
    const std::u16string longName(700, u'N');
    FakeItem& picture = *PictureFolder().children[0];
    picture.properties.Set(4098, u"Item Name", FakeValue::Text(u"A:" + longName));
    picture.properties.Set(4099, u"Full Item Name", FakeValue::Text(longName));
    picture.properties.Set(4123, u"Filename extension", FakeValue::Text(longName));
    wia_.devices[0].info.Set(7, u"Name", FakeValue::Text(std::u16string(150, u'D')));
    wia_.devices[0].root->properties.Set(7, u"Name", FakeValue::Text(std::u16string(100, u'D')));
    CDirectory directory;
    char16_t name[100] = u"kept";
    ASSERT_EQ(WiaLib_GetDirlist(Context(), kFakeCameraId, &directory, 1, 0, name, std::size(name)),
              S_OK);
    const DirectoryItem& first = *directory.Items()[0];
    // Cut to 259 units, then the first ":" goes.
    EXPECT_EQ(first.Name(), u"A" + std::u16string(257, u'N'));
    EXPECT_EQ(first.Path().size(), 519U);
    // A device name that does not fit is not taken.
    EXPECT_EQ(Narrow(name), "");
}

TEST_F(WiaItems, ThePrintoutOfAnEmptyDirectoryHasTheHeaderAndAZeroFooter) {
    CDirectory directory;
    directory.Init(u"0000\\Root");
    WiaLibContext* context = Context();
    DumpDirTree(context, &directory, u"Cam", u"", nullptr);
    EXPECT_EQ(Listing(),
              "Device name: Cam\n"
              "Device description: <UNKNOWN>\n"
              "Device manufacturer: <UNKNOWN>\n"
              "\n Directory of 0000\\Root\\\n\n"
              "               0 File(s)              0 bytes\n"
              "               0 Dir(s)               0 bytes free\n"
              "\n");
}

TEST_F(WiaItems, ThePrintoutShowsTimeSizeNameAndSuffix) {
    CDirectory directory;
    directory.Init(u"R");
    const SYSTEMTIME noon{2020, 12, 0, 31, 12, 30, 0, 0};
    FILETIME time{};
    ASSERT_TRUE(SystemTimeToFileTime(&noon, &time));
    const std::uint64_t fileTime =
        (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    const char16_t* strings[3] = {nullptr, nullptr, nullptr};
    directory.AddFile(u"BIG", u"R\\BIG", u"JPG", 1234567, &fileTime, nullptr, strings, 3, u"\\A\\",
                      0);
    WiaLibContext* context = Context();
    DumpDirTree(context, &directory, u"Cam", u"Desc", u"Maker");
    const std::string listing = Listing();
    wchar_t separator[5] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, 5);
    const std::string s = Narrow(AsU16(separator));
    const std::string size = "1" + s + "234" + s + "567";
    EXPECT_THAT(listing, HasSubstr("12/31/2020  00:30 PM" + std::string(18 - size.size(), ' ') +
                                   size + " BIG.JPG -> \\A\\\n"));
    EXPECT_THAT(listing, HasSubstr("               1 File(s)"));
}

}  // namespace
