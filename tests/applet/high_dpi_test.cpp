// The applet on a 150 % screen (144 DPI), as Wine draws it when its
// "LogPixels" says so: no caption on any page or in the header is cut.
#include <windows.h>

#include <cpl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/dialog/dpi_win32.h"
#include "tests/applet/page_fixture_win32.h"
#include "tests/support/screen_dpi_win32.h"
#include "tests/support/static_text_fit_win32.h"

namespace {

constexpr UINT kHighDpi = 144;

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

class AppletAtHighDpi : public AppletDialog {};

TEST_F(AppletAtHighDpi, NoCaptionOfTheHeaderOrAnyPageIsCut) {
    if (!TestScreenDpi()) {
        EXPECT_EQ(RunCurrentTestAtDpi(kHighDpi), 0u)
            << "the run at 144 DPI failed; its output is above";
        return;
    }
    ASSERT_EQ(applet_.Send(CPL_INIT), 1);
    for (const wchar_t* start : {L"1", L"2", L"3"}) {
        OpenDialog(start, [&](HWND dialog) {
            ASSERT_EQ(DpiOfWindow(dialog), kHighDpi) << "Wine did not draw the dialog at 144 DPI";
            int checked = 0;
            const std::vector<std::string> cut = CutStaticCaptions(dialog, &checked);
            EXPECT_GT(checked, 2) << "the header and one caption at least"
                                  << "page " << static_cast<char>(start[0]);
            EXPECT_TRUE(cut.empty()) << "page " << static_cast<char>(start[0]) << ":\n"
                                     << Lines(cut);
        });
    }
    applet_.Send(CPL_EXIT);
}

}  // namespace
