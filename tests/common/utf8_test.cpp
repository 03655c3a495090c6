#include "diag/text/utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8, RoundTripsAndReplacesInvalidInput) {
    EXPECT_EQ(Utf16FromUtf8("Gr\xc3\xb6\xc3\x9f"
                            "e \xe2\x82\xac \xf0\x9f\x93\xb7"),
              u"Gr\u00f6\u00dfe \u20ac \U0001F4F7");
    EXPECT_EQ(Utf8FromUtf16(u"Gr\u00f6\u00dfe \u20ac \U0001F4F7"),
              "Gr\xc3\xb6\xc3\x9f"
              "e \xe2\x82\xac \xf0\x9f\x93\xb7");
    EXPECT_EQ(Utf16FromUtf8("a\xff"
                            "b\xc3"),
              u"a\uFFFDb\uFFFD");
    EXPECT_EQ(Utf16FromUtf8("\xc0\xaf"), u"\uFFFD\uFFFD");  // overlong
    EXPECT_EQ(Utf8FromUtf16(std::u16string(1, u'\xD800')), "\xef\xbf\xbd");
}

}  // namespace
