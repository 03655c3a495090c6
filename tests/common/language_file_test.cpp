#include "common/language/language_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tests/support/trace_capture.h"
#include "tests/support/u16.h"
#include "tests/support/utf16_file.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct Loaded {
    LanguageFileVerdict verdict;
    std::vector<std::int32_t> ids;
    std::vector<std::u16string> strings;
};

Loaded Read(const std::vector<std::byte>& bytes) {
    Loaded loaded;
    LanguageFileRequest request;
    request.ids = &loaded.ids;
    request.strings = &loaded.strings;
    MemorySource source(bytes);
    loaded.verdict = ReadLanguageFile(source, request);
    return loaded;
}

TEST(LanguageFile, RefusesMalformedFilesAndSaysWhy) {
    struct Case {
        const char* what;
        std::vector<std::byte> bytes;
        LanguageFileProblem problem;
        const char* reason;
    };
    const Case cases[] = {
        {"no byte-order mark",
         Utf16LeBytes(u"LangID=1\r\nLangNative=D\r\nLangEnglish=G\r\nLangVer=1\r\n1=OK\r\n"),
         LanguageFileProblem::NoByteOrderMark, "No byte-order mark: the file is not UTF-16LE"},
        {"empty file",
         {},
         LanguageFileProblem::NoByteOrderMark,
         "No byte-order mark: the file is not UTF-16LE"},
        {"version 2",
         LanguageFileBytes({u"LangID=1", u"LangNative=D", u"LangEnglish=G", u"LangVer=2"}),
         LanguageFileProblem::WrongVersion, "Invalid language file version. Found: 2, expected: 1"},
        {"no LangID", LanguageFileBytes({u"LangNative=D", u"LangEnglish=G", u"LangVer=1"}),
         LanguageFileProblem::MissingKeyword, "Missing keyword: LangID"},
        {"LangID twice", LanguageFileBytes(WithHeader({u"LangID=2"})),
         LanguageFileProblem::RepeatedKeyword, "Repeated keyword: LangID"},
        {"no LangEnglish", LanguageFileBytes({u"LangID=1", u"LangNative=D", u"LangVer=1"}),
         LanguageFileProblem::MissingKeyword, "Missing keyword: LangEnglish"},
        {"no LangVer", LanguageFileBytes({u"LangID=1", u"LangNative=D", u"LangEnglish=G"}),
         LanguageFileProblem::MissingKeyword, "Missing keyword: LangVer"},
        {"id 0", LanguageFileBytes(WithHeader({u"0=Text"})),
         LanguageFileProblem::UnsupportedKeyword, "Unsupported keyword: 0"},
        {"a word as key", LanguageFileBytes(WithHeader({u"Title=Text"})),
         LanguageFileProblem::UnsupportedKeyword, "Unsupported keyword: Title"},
    };
    for (const Case& c : cases) {
        TraceCapture trace;
        const Loaded loaded = Read(c.bytes);
        EXPECT_EQ(loaded.verdict.problem, c.problem) << c.what;
        EXPECT_EQ(Narrow(DescribeProblem(loaded.verdict)), c.reason) << c.what;
        EXPECT_THAT(loaded.ids, IsEmpty()) << c.what;
        EXPECT_THAT(loaded.strings, IsEmpty()) << c.what;
        EXPECT_THAT(trace.Texts(), ElementsAre("I56@I18N_LoadFile: ENTER ",
                                               std::string("I56@I18N_LoadFile: ") + c.reason,
                                               "I56@I18N_LoadFile: RETURN: RC=0x00000000 (S_OK)"))
            << c.what;
    }
}

TEST(LanguageFile, ReadsKeysValuesAndHeaderAsTheAppletDoes) {
    const Loaded loaded = Read(LanguageFileBytes({
        u"; a comment",
        u"",
        u"abc",
        u";12=x",
        u"langver = 1",
        u"LANGID=0x0407",
        u" 1 2 = Hello ",
        u"\t13\t=\tan = inside\t",
        u"90=#1 is at #2%",
        u"7=",
        u"+250=never shown",
        u"-3=negative",
        u"14abc=digits first",
        u"LangNative=Deutsch",
        u"langenglish=German",
    }));
    EXPECT_TRUE(loaded.verdict.Accepted()) << Narrow(DescribeProblem(loaded.verdict));
    EXPECT_THAT(loaded.ids, ElementsAre(12, 13, 90, 7, 250, -3, 14));
    EXPECT_THAT(loaded.strings, ElementsAre(u"Hello", u"an = inside", u"#1 is at #2%%", u"",
                                            u"never shown", u"negative", u"digits first"));
}

TEST(LanguageFile, ARepeatedIdStopsTheReading) {
    // Header first: accepted with what was read before the repeat.
    TraceCapture trace;
    Loaded loaded = Read(LanguageFileBytes(WithHeader({u"5=a", u"6=b", u"5=c", u"7=d"})));
    EXPECT_TRUE(loaded.verdict.Accepted());
    EXPECT_EQ(loaded.verdict.duplicateId, 5);
    EXPECT_EQ(loaded.verdict.stopLine, 7u);
    EXPECT_THAT(loaded.ids, ElementsAre(5, 6));
    EXPECT_THAT(trace.Texts(),
                ElementsAre("I56@I18N_LoadFile: ENTER ", "I56@I18N_LoadFile: Duplicate id: 5",
                            "I56@I18N_LoadFile: RETURN: RC=0x00000001 (S_FALSE)"));

    // Header after the repeat: never read, so refused.
    loaded = Read(LanguageFileBytes(
        {u"5=a", u"5=b", u"LangID=1", u"LangNative=D", u"LangEnglish=G", u"LangVer=1"}));
    EXPECT_EQ(loaded.verdict.problem, LanguageFileProblem::MissingKeyword);
    EXPECT_THAT(loaded.ids, IsEmpty());

    // Checking without lists comes to the same verdict, so that the language
    // list never offers a file the catalogue then refuses.
    const std::vector<std::byte> bytes = LanguageFileBytes(
        {u"5=a", u"5=b", u"LangID=1", u"LangNative=D", u"LangEnglish=G", u"LangVer=1"});
    MemorySource source(bytes);
    EXPECT_FALSE(ReadLanguageFile(source, LanguageFileRequest{}).Accepted());
}

TEST(LanguageFile, LinesAreReadInPiecesOfAtMost1023Units) {
    // The piece after 1023 units is a line of its own: here it defines id 7.
    const std::u16string longLine = u"1=" + std::u16string(1021, u'x') + u"7=Tail";
    Loaded loaded = Read(LanguageFileBytes(WithHeader({longLine})));
    ASSERT_THAT(loaded.ids, ElementsAre(1, 7));
    EXPECT_EQ(loaded.strings[0], std::u16string(1021, u'x'));
    EXPECT_EQ(loaded.strings[1], u"Tail");

    // Doubling stays within the line buffer and never leaves half a "%%".
    loaded = Read(LanguageFileBytes(WithHeader({u"1=" + std::u16string(600, u'%')})));
    ASSERT_EQ(loaded.strings.size(), 1u);
    EXPECT_EQ(loaded.strings[0], std::u16string(1020, u'%'));
}

TEST(LanguageFile, OddBytesAndNulUnitsDoNotDisturbTheReading) {
    std::vector<std::byte> bytes =
        LanguageFileBytes(WithHeader({std::u16string(u"3=ab\0cd", 7), u"4=next"}));
    bytes.push_back(std::byte{0x41});
    const Loaded loaded = Read(bytes);
    EXPECT_TRUE(loaded.verdict.Accepted());
    EXPECT_THAT(loaded.strings, ElementsAre(u"ab", u"next"));
}

TEST(LanguageFile, LoadsFromAFileAndFillsTheNameBuffers) {
    TempDir folder;
    const std::u16string path =
        folder.Write("Deutsch.lng", LanguageFileBytes(WithHeader({u"1=OK", u"2=Abbrechen"})));
    std::vector<std::int32_t> ids;
    std::vector<std::u16string> strings;
    char16_t langId[16] = {};
    char16_t native[5] = {};
    char16_t english[50] = {};
    TraceCapture trace;
    EXPECT_NE(I18N_LoadFile(path.c_str(), &ids, &strings, 1, langId, std::size(langId), native,
                            std::size(native), english, std::size(english)),
              0);
    EXPECT_THAT(ids, ElementsAre(1, 2));
    EXPECT_EQ(Narrow(langId), "0x0407");
    EXPECT_EQ(Narrow(native), "Deut");  // cut to its buffer, and the cut traced
    EXPECT_EQ(Narrow(english), "German");
    EXPECT_THAT(trace.Texts(), ::testing::Contains("B1@_TcsCpy: len=5, src=\"Deutsch\""));

    const std::u16string missing = folder.Path() + u"/missing.lng";
    ids = {9};
    strings = {u"stale"};
    EXPECT_EQ(I18N_LoadFile(missing.c_str(), &ids, &strings, 1, nullptr, 0, nullptr, 0, nullptr, 0),
              0);
    EXPECT_THAT(ids, IsEmpty());
    EXPECT_THAT(strings, IsEmpty());
}

}  // namespace
