// The files listed for the oldest-file purge: paths below the base, the
// relative path the purge groups and counts by, and what is refused.
#include "state/cache_file_list.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/u16.h"

namespace {

TEST(CacheFileList, RelativePathIsBelowTheBaseWithoutTheExtension) {
    struct Case {
        const char* what;
        std::u16string base;
        std::u16string folder;
        std::u16string name;
        std::u16string relative;
        std::u16string full;
    };
    const Case cases[] = {
        {"a picture of a device", u"C:\\cache", u"C:\\cache\\0001A\\DCIM", u"IMG_1.JPG",
         u"0001A\\DCIM\\IMG_1", u"C:\\cache\\0001A\\DCIM\\IMG_1.JPG"},
        {"a file in the cache folder itself", u"C:\\cache", u"C:\\cache", u"stray.txt", u"stray",
         u"C:\\cache\\stray.txt"},
        {"a base ending in \\", u"C:\\cache\\", u"C:\\cache\\", u"stray.txt", u"stray",
         u"C:\\cache\\stray.txt"},
        {"only the last dot of the name", u"C:\\cache", u"C:\\cache\\0001A", u"a.b.jpg",
         u"0001A\\a.b", u"C:\\cache\\0001A\\a.b.jpg"},
        {"a dot in a folder name stays", u"C:\\cache", u"C:\\cache\\0001A\\v1.2", u"README",
         u"0001A\\v1.2\\README", u"C:\\cache\\0001A\\v1.2\\README"},
        {"a name that is all extension", u"C:\\cache", u"C:\\cache\\0001A", u".hidden", u"0001A\\",
         u"C:\\cache\\0001A\\.hidden"},
    };
    for (const Case& c : cases) {
        CacheFileList list(c.base);
        ASSERT_TRUE(list.Add(c.folder, c.name, 1, 2)) << c.what;
        EXPECT_EQ(Narrow(list.RelativePath(0)), Narrow(c.relative)) << c.what;
        EXPECT_EQ(Narrow(list.FullPath(0)), Narrow(c.full)) << c.what;
    }
}

TEST(CacheFileList, EveryFileKeepsItsOwnPathSizeAndTime) {
    CacheFileList list(u"C:\\cache");
    // Enough to move the shared path buffer a few times.
    for (int i = 0; i < 1000; ++i) {
        const std::u16string folder = u"C:\\cache\\" + Widen(std::to_string(1000 + i)) + u"A";
        ASSERT_TRUE(list.Add(folder, u"p.jpg", 100u + i, 200u + i));
    }
    ASSERT_EQ(list.Count(), 1000u);
    for (const std::size_t i : {0u, 1u, 500u, 999u}) {
        const std::string device = std::to_string(1000 + i) + "A";
        EXPECT_EQ(Narrow(list.RelativePath(i)), device + "\\p");
        EXPECT_EQ(Narrow(list.FullPath(i)), "C:\\cache\\" + device + "\\p.jpg");
        EXPECT_EQ(list.Size(i), 100u + i);
        EXPECT_EQ(list.LastWrite(i), 200u + i);
    }
}

TEST(CacheFileList, AFullPathOfMaxPathUnitsIsNotListed) {
    CacheFileList list(u"C:\\cache");
    const std::u16string folder = u"C:\\cache\\0001A";
    // folder + "\" + name: 259 units fit, 260 do not.
    const std::u16string fits(kRecordPathUnits - 1 - folder.size() - 1, u'x');
    EXPECT_TRUE(list.Add(folder, fits, 1, 1));
    EXPECT_FALSE(list.Add(folder, fits + u"x", 1, 1));
    EXPECT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.FullPath(0).size(), kRecordPathUnits - 1);
}

}  // namespace
