#include "tools/camfolio-tool/tool.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "diag/text/utf8.h"

namespace {

struct ToolRun {
    int code;
    std::string out;
    std::string err;
};

ToolRun Tool(const std::vector<std::string>& args) {
    std::vector<std::u16string> wide;
    wide.reserve(args.size());
    for (const std::string& arg : args) {
        wide.push_back(Utf16FromUtf8(arg));
    }
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunTool(wide, out, err);
    return {code, out.str(), err.str()};
}

const char* const kAt = "2010-05-06T14:03:09";

TEST(FormatCommand, ExpandsAndPrintsTheNormalisedFormat) {
    struct Case {
        std::vector<std::string> args;
        const char* out;
    };
    const Case cases[] = {
        {{"format", "--time", kAt, "--counter", "1", "<Y4>-<M2>-<D2>-<C4><Fo>"},
         "\\2010-05-06-0001.JPG\n<Y4>-<M2>-<D2>-<C4><Fo>\n"},
        {{"format", "--time", kAt, "<Y4><DIR><M2><DIR><h2><m2><s2>_<O5-8><Fl>"},
         "\\2010\\05\\140309_0057.jpg\n<Y4><DIR><M2><DIR><h2><m2><s2>_<O5-8><Fl>\n"},
        {{"format", "--time", kAt, "<DIR><Y4><DIR><DIR><M2><Fo>"},
         "\\2010\\05.JPG\n<Y4><DIR><M2><Fo>\n"},
        {{"format", "--time", kAt, "--no-normalise", "<DIR><Y4><Fo>"}, "\\\\2010.JPG\n"},
        {{"format", "--time", kAt, "--counter", "none", "--source", "IMG_1.CR2", "--dir", "",
          "--camera", "EOS", "--width", "1", "--height", "2", "<P><X1>_<X2>x<X3>_<C4>_<O><Fu>"},
         "\\EOS_1X2__IMG_1.CR2\n<P><X1>_<X2>x<X3>_<C4>_<O><Fu>\n"},
        {{"format", "--time", kAt, "--no-validate", "<Y4><P><Fo>"}, "\\2010CameraDir\\.JPG\n"},
    };
    for (const Case& c : cases) {
        const ToolRun run = Tool(c.args);
        EXPECT_EQ(run.code, 0) << c.args.back() << ": " << run.err;
        EXPECT_EQ(run.out, c.out) << c.args.back();
    }
}

TEST(FormatCommand, InvalidFormatsExitWithOne) {
    ToolRun run = Tool({"format", "--time", kAt, "<Y4>"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Invalid format\n");
    // A late failure still shows the result it built.
    run = Tool({"format", "--time", kAt, "<Y4><P><Fo>"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "\\2010CameraDir\\.JPG\n");
}

TEST(FormatCommand, BadUsageExitsWithTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"format"},
        {"format", "--time", "2010-13-01T00:00:00", "<Fo>"},
        {"format", "--time", "2010-05-06 14:03:09", "<Fo>"},
        {"format", "--counter", "x", "<Fo>"},
        {"format", "--counter", "99999999999", "<Fo>"},
        {"format", "--source"},
        {"format", "--bogus", "<Fo>"},
        {"format", "<Fo>", "<Fu>"},
    };
    for (const auto& args : cases) {
        const ToolRun run = Tool(args);
        EXPECT_EQ(run.code, 2) << (args.empty() ? "(none)" : args.back());
        EXPECT_NE(run.err.find("Usage:"), std::string::npos);
    }
    EXPECT_EQ(Tool({"format", "--help"}).code, 0);
}

TEST(FormatCommand, DescribesAFormatAsTheEditorShowsIt) {
    ToolRun run = Tool({"format", "--describe", "\"<Y4>-<C><Fl>\""});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out,
              "<button contenteditable=false onresizestart='return false;' value='<Y4>'>"
              "Year (Long)</button>-<button contenteditable=false onresizestart='return false;' "
              "value='<C0>'>Counter [0]</button>\ncase: 1\n");
    for (const char* format : {"<Y4>", "a?b<Fo>"}) {
        run = Tool({"format", format, "--describe"});
        EXPECT_EQ(run.code, 1) << format;
        EXPECT_EQ(run.out, "") << format;
        EXPECT_EQ(run.err, "Invalid format\n") << format;
    }
}

TEST(FormatCommand, ReadsTheEditorsHtmlBack) {
    struct Case {
        std::vector<std::string> args;
        const char* out;
    };
    const Case cases[] = {
        {{"format", "--from-html", "<P>&nbsp;</P>", "--case", "2"}, "<Fu>\n"},
        {{"format", "--case", "1", "--from-html",
          "<BUTTON value=\"<Y4>\">Year</BUTTON>a&amp;b<BUTTON value=\"<C4>\">C</BUTTON>"},
         "<Y4>a&b<C4><Fl>\n"},
        {{"format", "--from-html", "<p>x</p>"}, "x<Fo>\n"},
    };
    for (const Case& c : cases) {
        const ToolRun run = Tool(c.args);
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.out, c.out);
    }
}

TEST(FormatCommand, EditorFormsRefuseOtherArguments) {
    const std::vector<std::vector<std::string>> cases = {
        {"format", "--describe"},
        {"format", "--describe", "<Fo>", "<Fu>"},
        {"format", "--describe", "--time", kAt, "<Fo>"},
        {"format", "--from-html"},
        {"format", "--from-html", "x", "--case"},
        {"format", "--from-html", "x", "--case", "3"},
        {"format", "--from-html", "x", "--case", "-1"},
        {"format", "--from-html", "x", "<Fo>"},
        {"format", "--from-html", "x", "--no-validate"},
    };
    for (const auto& args : cases) {
        const ToolRun run = Tool(args);
        EXPECT_EQ(run.code, 2) << args.back();
        EXPECT_NE(run.err.find("Usage:"), std::string::npos) << args.back();
    }
}

}  // namespace
