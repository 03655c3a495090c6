// The builder's dialog on a 150 % screen (144 DPI), as Wine draws it when its
// "LogPixels" says so, run in this test's process: no caption is cut, and
// what the builder draws itself (the token editor's buttons, the size grip)
// grows with the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "builder/app/camfolio_fmt_dlg_win32.h"
#include "common/dialog/dpi_win32.h"
#include "tests/support/registry_sandbox_win32.h"
#include "tests/support/screen_dpi_win32.h"
#include "tests/support/static_text_fit_win32.h"
#include "tests/support/window_search_win32.h"

namespace {

constexpr UINT kHighDpi = 144;
constexpr char16_t kTitle[] = u"Filename Format Builder";
constexpr wchar_t kEditorClass[] = L"CamfolioTokenEditor";

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

// Where the editor drew anything but its background, as WM_PRINTCLIENT draws it.
RECT InkedBox(HWND editor) {
    RECT client{};
    GetClientRect(editor, &client);
    const WindowDc screen(editor);
    const UniqueMemoryDc memory(CreateCompatibleDC(screen.Get()));
    const UniqueGdiObject bitmap(CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
    const SelectedObject selected(memory.Get(), bitmap.Get());
    SendMessageW(editor, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()), PRF_CLIENT);
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    RECT box{client.right, client.bottom, 0, 0};
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            if (GetPixel(memory.Get(), x, y) != background) {
                box = {std::min(box.left, static_cast<LONG>(x)),
                       std::min(box.top, static_cast<LONG>(y)),
                       std::max(box.right, static_cast<LONG>(x + 1)),
                       std::max(box.bottom, static_cast<LONG>(y + 1))};
            }
        }
    }
    return box;
}

// The builder's dialog with one token button, its size grip and its captions
// as seen at one resolution.
struct BuilderLook {
    UINT dpi = 0;
    RECT tokenButton{};
    SIZE grip{};
    std::vector<std::string> cutCaptions;
    int checkedCaptions = 0;
};

BOOL CALLBACK FindScrollBar(HWND window, LPARAM param) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    if (CompareStringOrdinal(name, -1, L"ScrollBar", -1, TRUE) == CSTR_EQUAL) {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

class BuilderAtHighDpi : public testing::Test {
  protected:
    // Runs the dialog on this thread with its windows of the given awareness
    // and looks at it from a second thread of the same awareness.
    static BuilderLook Look(ThreadDpiAwareness::Kind kind) {
        BuilderLook look;
        const ThreadDpiAwareness awareness(kind);
        EXPECT_TRUE(awareness.IsSet());
        std::thread inspector([&] {
            const ThreadDpiAwareness same(kind);
            HWND dialog = nullptr;
            if (!WaitUntil([&] {
                    return (dialog = FindTopLevelWindow({.dialogOnly = true, .title = kTitle})) !=
                           nullptr;
                })) {
                ADD_FAILURE() << "the dialog was not shown";
                return;
            }
            look.dpi = DpiOfWindow(dialog);
            look.tokenButton = InkedBox(FindWindowExW(dialog, nullptr, kEditorClass, nullptr));
            HWND grip = nullptr;
            EnumChildWindows(dialog, FindScrollBar, reinterpret_cast<LPARAM>(&grip));
            RECT gripRect{};
            GetClientRect(grip, &gripRect);
            look.grip = {gripRect.right, gripRect.bottom};
            look.cutCaptions = CutStaticCaptions(dialog, &look.checkedCaptions);
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        });
        CCamfolioFmtDlg dialog(GetModuleHandleW(nullptr), u"<Y4><Fo>");
        EXPECT_EQ(dialog.Run(nullptr), IDCANCEL);
        inspector.join();
        return look;
    }

    RegistrySandbox registry_;  // no language chosen: English
};

TEST_F(BuilderAtHighDpi, NoCaptionIsCut) {
    if (!TestScreenDpi()) {
        EXPECT_EQ(RunCurrentTestAtDpi(kHighDpi), 0u)
            << "the run at 144 DPI failed; its output is above";
        return;
    }
    const BuilderLook look = Look(ThreadDpiAwareness::kSystemAware);
    ASSERT_EQ(look.dpi, kHighDpi) << "Wine did not draw the dialog at 144 DPI";
    EXPECT_GT(look.checkedCaptions, 5);
    EXPECT_TRUE(look.cutCaptions.empty()) << Lines(look.cutCaptions);
}

TEST_F(BuilderAtHighDpi, TheTokenButtonsAndTheSizeGripGrowWithTheScreen) {
    if (!TestScreenDpi()) {
        EXPECT_EQ(RunCurrentTestAtDpi(kHighDpi), 0u)
            << "the run at 144 DPI failed; its output is above";
        return;
    }
    // Drawn unaware of the screen, the same process's windows are at 96 DPI.
    const BuilderLook small = Look(ThreadDpiAwareness::kUnaware);
    const BuilderLook large = Look(ThreadDpiAwareness::kSystemAware);
    ASSERT_EQ(small.dpi, kDesignDpi);
    ASSERT_EQ(large.dpi, kHighDpi);
    const struct {
        const char* what;
        LONG at96;
        LONG at144;
    } sizes[] = {
        {"button's distance from the editor's left", small.tokenButton.left,
         large.tokenButton.left},
        {"button's width", small.tokenButton.right - small.tokenButton.left,
         large.tokenButton.right - large.tokenButton.left},
        {"button's height", small.tokenButton.bottom - small.tokenButton.top,
         large.tokenButton.bottom - large.tokenButton.top},
        {"grip's width", small.grip.cx, large.grip.cx},
        {"grip's height", small.grip.cy, large.grip.cy},
    };
    // About the scale: each part of a size rounds to whole pixels.
    for (const auto& size : sizes) {
        ASSERT_GT(size.at96, 0) << size.what;
        EXPECT_NEAR(static_cast<double>(size.at144) / size.at96, 1.5, 0.15)
            << size.what << ": " << size.at96 << " px at 96 DPI, " << size.at144 << " at 144";
    }
}

}  // namespace
