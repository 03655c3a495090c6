// Which collected files the oldest-file purge deletes, and in what order.
#include "state/purge_order.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Case {
    const char* what;
    std::vector<PurgeCandidate> files;
    std::vector<std::size_t> order;
};

TEST(PurgeOrder, OldestFirstWithoutTheNewestOfEachFolder) {
    const Case cases[] = {
        {"oldest first, the folder's newest kept",
         {{30, u"0001A\\c"}, {10, u"0001A\\a"}, {40, u"0001A\\d"}, {20, u"0001A\\b"}},
         {1, 3, 0}},
        {"a single file of a folder stays", {{10, u"0001A\\a"}, {20, u"0002B\\b"}}, {}},
        {"folders are told apart without regard to case",
         {{10, u"0001a\\a"}, {20, u"0001A\\b"}},
         {0}},
        {"a folder listed again after another is still one folder",
         {{10, u"0001A\\a"}, {40, u"0002B\\b"}, {30, u"0001a\\c"}, {20, u"0002B\\d"}},
         {0, 3}},
        {"of equal times the one listed last is kept", {{10, u"0001A\\a"}, {10, u"0001A\\b"}}, {0}},
        {"a longer name is another folder", {{10, u"0001A\\a"}, {20, u"0001AB\\b"}}, {}},
        {"files in the cache folder itself are all purged",
         {{20, u"stray2"}, {10, u"stray1"}},
         {1, 0}},
        {"nothing collected", {}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PurgeOrder(c.files), c.order) << c.what;
    }
}

}  // namespace
