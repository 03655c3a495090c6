#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/catalogue/catalogue.h"
#include "common/catalogue/english_table.h"
#include "common/catalogue/template_choice.h"
#include "diag/text/utf8.h"
#include "tests/support/temp_dir.h"
#include "tests/support/utf16_file.h"
#include "tools/camfolio-tool/lng_markers.h"
#include "tools/camfolio-tool/tool.h"

namespace {

struct ToolRun {
    int code;
    std::string out;
    std::string err;
};

ToolRun Tool(const std::vector<std::u16string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunTool(args, out, err);
    return {code, out.str(), err.str()};
}

ToolRun Check(const std::u16string& path) {
    return Tool({u"lng", u"check", path});
}

// The shipped file, copied beside the tests by the build.
TEST(LngCommand, AcceptsTheShippedGermanFileWithoutRemarks) {
    const ToolRun run = Check(u"Deutsch.lng");
    EXPECT_EQ(run.code, 0) << run.out;
    EXPECT_EQ(run.out, "accepted: Deutsch (German), 153 texts\n");
}

TEST(LngCommand, TheTemplateIsAcceptedAndShowsExactlyTheEnglishTexts) {
    TempDir folder;
    const std::u16string path = folder.Path() + u"/English.lng";
    const ToolRun written = Tool({u"lng", u"template", path});
    ASSERT_EQ(written.code, 0) << written.err;
    const ToolRun run = Check(path);
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "accepted: English (English), 153 texts\n");

    // Loaded as the translation, every text comes out as the English one,
    // markers turned back into the same conversions.
    I18N_InitFromFile(path.c_str());
    for (std::int32_t id = 0; id <= kLastPlainId; ++id) {
        const char16_t* english = EnglishText(id);
        if (english == nullptr) {
            continue;
        }
        const MarkerSignature signature = SignatureOf(english);
        ChosenTemplate chosen;
        ChooseTemplate(id, signature.count, signature.type1, signature.type2, 0, chosen);
        EXPECT_TRUE(chosen.translated) << id;
        EXPECT_EQ(Utf8FromUtf16(chosen.text), Utf8FromUtf16(english)) << id;
    }
    I18N_DeInit();
}

TEST(LngCommand, RejectsMalformedFilesWithTheirReason) {
    TempDir folder;
    struct Case {
        const char* name;
        std::vector<std::byte> bytes;
        const char* out;
    };
    const Case cases[] = {
        {"nobom.lng", Utf16LeBytes(u"LangID=1\r\nLangNative=D\r\nLangEnglish=G\r\nLangVer=1\r\n"),
         "rejected: No byte-order mark: the file is not UTF-16LE\n"},
        {"v2.lng",
         LanguageFileBytes({u"LangID=1", u"LangNative=D", u"LangEnglish=G", u"LangVer=2"}),
         "rejected: Invalid language file version. Found: 2, expected: 1 (line 4)\n"},
        {"noid.lng", LanguageFileBytes({u"LangNative=D", u"LangEnglish=G", u"LangVer=1"}),
         "rejected: Missing keyword: LangID\n"},
        {"twice.lng", LanguageFileBytes(WithHeader({u"langnative=E"})),
         "rejected: Repeated keyword: LangNative\n"},
        {"zero.lng", LanguageFileBytes(WithHeader({u"0=Text"})),
         "rejected: Unsupported keyword: 0 (line 5)\n"},
        {"title.lng", LanguageFileBytes(WithHeader({u"1=OK", u"Title=Text"})),
         "rejected: Unsupported keyword: Title (line 6)\n"},
        {"dup.lng",
         LanguageFileBytes(
             {u"5=a", u"5=b", u"LangID=1", u"LangNative=D", u"LangEnglish=G", u"LangVer=1"}),
         "rejected: Missing keyword: LangID\n"
         "line 2: duplicate id 5 (first on line 1), the applet reads no further\n"},
    };
    for (const Case& c : cases) {
        const ToolRun run = Check(folder.Write(c.name, c.bytes));
        EXPECT_EQ(run.code, 1) << c.name;
        EXPECT_EQ(run.out, c.out) << c.name;
    }
    const ToolRun missing = Check(folder.Path() + u"/missing.lng");
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out, "rejected: Cannot open the file\n");
}

TEST(LngCommand, ListsLinesThatLoadButDoNotWorkAsMeant) {
    TempDir folder;
    const std::u16string path = folder.Write(
        "remarks.lng",
        LanguageFileBytes(WithHeader({u"90=#1 is at #2%", u"250=never", u"144=Between #1 and #1",
                                      u"13=Info", u"13=Again", u"105=#2 and #1", u"13=Third"})));
    const ToolRun run = Check(path);
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out,
              "accepted: Deutsch (German), 4 texts\n"
              "line 6: id 250 is outside 1-198 and never shown\n"
              "line 7: id 144: the markers do not fit, English is shown instead "
              "(\"Cache size must be between #1 and #2.\")\n"
              "line 9: duplicate id 13 (first on line 8), the applet reads no further\n"
              "line 11: duplicate id 13 (first on line 8)\n");
}

TEST(LngCommand, BadUsageExitsWithTwoAndAnUnwritableTemplateWithOne) {
    const std::vector<std::vector<std::u16string>> usage = {
        {u"lng"},
        {u"lng", u"check"},
        {u"lng", u"check", u""},
        {u"lng", u"frob", u"x.lng"},
        {u"lng", u"check", u"a.lng", u"b.lng"},
    };
    for (const auto& args : usage) {
        EXPECT_EQ(Tool(args).code, 2) << args.size();
    }
    EXPECT_EQ(Tool({u"lng", u"--help"}).code, 0);
    TempDir folder;
    const ToolRun run = Tool({u"lng", u"template", folder.Path() + u"/no/such/folder/x.lng"});
    EXPECT_EQ(run.code, 1);
    EXPECT_THAT(run.err, ::testing::HasSubstr("cannot write"));
}

}  // namespace
