#include "common/format/copy_data_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// The units of text as a message carries them, from offset on (to try data
// that is not aligned for UTF-16), in a buffer of exactly their size so that
// the sanitizers see any read beyond it.
std::vector<unsigned char> Message(std::u16string_view text, std::size_t offset = 0) {
    std::vector<unsigned char> bytes(offset + text.size() * sizeof(char16_t));
    std::memcpy(bytes.data() + offset, text.data(), text.size() * sizeof(char16_t));
    return bytes;
}

TEST(CopyDataText, TakesTheTextUpToItsTerminator) {
    const std::u16string sent(u"<Y4><DIR><M2><Fl>\0", 18);
    for (std::size_t offset : {0, 1}) {
        const std::vector<unsigned char> bytes = Message(sent, offset);
        const CopyDataText read = ReadCopyDataText(1, bytes.data() + offset, bytes.size() - offset);
        EXPECT_EQ(read.status, CopyDataStatus::kAccepted);
        EXPECT_EQ(read.text, u"<Y4><DIR><M2><Fl>");
    }
    const std::vector<unsigned char> early = Message(std::u16string(u"ab\0cd\0", 6));
    EXPECT_EQ(ReadCopyDataText(1, early.data(), early.size()).text, u"ab");
    const std::vector<unsigned char> empty = Message(std::u16string(1, u'\0'));
    const CopyDataText emptyText = ReadCopyDataText(1, empty.data(), empty.size());
    EXPECT_EQ(emptyText.status, CopyDataStatus::kAccepted);
    EXPECT_EQ(emptyText.text, u"");
}

TEST(CopyDataText, RefusesWhatTheBuilderNeverSends) {
    const std::vector<unsigned char> text = Message(std::u16string(u"abc\0", 4));
    struct Case {
        std::uintptr_t kind;
        const void* data;
        std::size_t bytes;
        CopyDataStatus status;
    };
    const Case cases[] = {
        {0, text.data(), text.size(), CopyDataStatus::kWrongKind},
        {2, text.data(), text.size(), CopyDataStatus::kWrongKind},
        {1, nullptr, text.size(), CopyDataStatus::kEmpty},
        {1, text.data(), 0, CopyDataStatus::kEmpty},
        {1, text.data(), text.size() - 1, CopyDataStatus::kOddSize},
        {1, text.data(), 1, CopyDataStatus::kOddSize},
        // The terminator lies beyond the declared size.
        {1, text.data(), text.size() - 2, CopyDataStatus::kUnterminated},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << ", " << c.bytes << " bytes");
        const CopyDataText read = ReadCopyDataText(c.kind, c.data, c.bytes);
        EXPECT_EQ(read.status, c.status);
        EXPECT_EQ(read.text, u"");
    }
}

TEST(CopyDataText, BoundsTheSize) {
    std::u16string longest(kMaxCopyDataBytes / sizeof(char16_t), u'x');
    longest.back() = u'\0';
    const std::vector<unsigned char> fits = Message(longest);
    const CopyDataText read = ReadCopyDataText(1, fits.data(), fits.size());
    EXPECT_EQ(read.status, CopyDataStatus::kAccepted);
    EXPECT_EQ(read.text.size(), longest.size() - 1);

    longest.back() = u'x';
    longest.append(u"\0", 1);
    const std::vector<unsigned char> over = Message(longest);
    EXPECT_EQ(ReadCopyDataText(1, over.data(), over.size()).status, CopyDataStatus::kTooLarge);
    // A huge declared size is refused before anything is read.
    EXPECT_EQ(ReadCopyDataText(1, fits.data(), SIZE_MAX - 1).status, CopyDataStatus::kTooLarge);
}

}  // namespace
