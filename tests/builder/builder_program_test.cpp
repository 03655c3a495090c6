// The built CamfolioFmt.exe as the applet starts it: a process with " /h"
// and a window of this test's process, driven by messages to its controls.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "builder/app/camfolio_fmt_app_win32.h"
#include "builder/app/camfolio_fmt_dlg_ids.h"
#include "tests/builder/builder_process_win32.h"
#include "tests/support/file_helpers_win32.h"
#include "tests/support/program_run_win32.h"
#include "tests/support/registry_sandbox_win32.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_installation_win32.h"
#include "tests/support/u16.h"

namespace {

constexpr char16_t kTitle[] = u"Filename Format Builder";
constexpr int kMessageTextId = 0xFFFF;

class BuilderProgramTest : public testing::Test {
  protected:
    // The builder's dialog for the arguments after " /h HANDLE".
    HWND Open(BuilderProcess& builder) {
        EXPECT_TRUE(builder.Started());
        HWND dialog = builder.WaitForDialog(kTitle);
        EXPECT_NE(dialog, nullptr) << "no builder dialog appeared";
        return dialog;
    }
    std::u16string Switch(const char16_t* format = nullptr) const {
        std::u16string arguments = u"/h " + receiver_.HexHandle();
        if (format != nullptr) {
            arguments += std::u16string(u" \"") + format + u"\"";
        }
        return arguments;
    }
    // Waits until edit 1017 shows expected; false with the last text seen.
    static testing::AssertionResult ExampleBecomes(HWND dialog, const std::u16string& expected) {
        std::u16string seen;
        if (WaitUntil([&] {
                seen = ItemText(dialog, IDC_FMT_NEW_EXAMPLE);
                return seen == expected;
            })) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure()
               << "example \"" << Narrow(seen) << "\", expected \"" << Narrow(expected) << "\"";
    }
    static void ExitsWithZero(BuilderProcess& builder) {
        const std::optional<DWORD> code = builder.WaitForExit();
        ASSERT_TRUE(code.has_value()) << "the builder did not end";
        EXPECT_EQ(*code, 0u);
    }

    RegistrySandbox registry_;  // no language chosen: English
    Receiver receiver_;
};

TEST_F(BuilderProgramTest, ShowsTheFormatWithItsExamplesOverTheDisabledReceiver) {
    BuilderProcess builder(Switch(u"<O>_<C3><Fu>"));
    HWND dialog = Open(builder);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(ExampleBecomes(dialog, u"DSC_0057_001.JPG"));
    EXPECT_EQ(ItemText(dialog, IDC_FMT_SOURCE_EXAMPLE), u"DSC_0057.JPG");
    EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_FMT_CASE, CB_GETCURSEL, 0, 0), 2) << "Uppercase";
    EXPECT_EQ(ItemText(dialog, IDC_FMT_CASE_LABEL), u"Text format:");
    EXPECT_EQ(ItemText(dialog, IDC_FMT_ORIGINAL_RANGE), u"Original name (Range)...");
    EXPECT_EQ(ItemText(dialog, IDC_FMT_DIRECTORY_SEPARATOR), u"Directory separator");
    EXPECT_EQ(ItemText(dialog, IDC_FMT_CLEAR), u"Clear");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDC_FMT_ORIGINAL_DIRECTORY)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_FMT_ORIGINAL_DIRECTORY)));
    // Started from a page: the page's top-level window owns the dialog.
    ASSERT_NE(GetAncestor(receiver_.Hwnd(), GA_ROOT), receiver_.Hwnd());
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), receiver_.Frame());
    EXPECT_FALSE(IsWindowEnabled(receiver_.Frame())) << "the owner stays usable";

    Click(dialog, IDCANCEL);
    ExitsWithZero(builder);
    EXPECT_TRUE(receiver_.Received().empty());
    EXPECT_TRUE(IsWindowEnabled(receiver_.Frame()));
}

// The i686 program as it ships, also when this test is a 64-bit program: the
// hand-back then crosses from a 32-bit process to a 64-bit one, as it does
// from the builder to the applet.
TEST_F(BuilderProgramTest, IsTheProgramAsItShips) {
    BuilderProcess builder(Switch(u"<O><Fo>"));
    HWND dialog = Open(builder);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(builder.Is32Bit(), kShippedBuilderIs32Bit);
    Click(dialog, IDCANCEL);
    ExitsWithZero(builder);
}

TEST_F(BuilderProgramTest, AcceptsEveryFormOfTheSwitch) {
    for (const std::u16string& arguments :
         {u"-h " + receiver_.HexHandle(), u"/H " + receiver_.HexHandle(true),
          u"-H " + receiver_.HexHandle(true) + u" \"<O><Fo>\""}) {
        BuilderProcess builder(arguments);
        HWND dialog = Open(builder);
        ASSERT_NE(dialog, nullptr) << Narrow(arguments);
        Click(dialog, IDCANCEL);
        ExitsWithZero(builder);
    }
}

TEST_F(BuilderProgramTest, WithoutATargetWindowShowsNothingAndExitsWithZero) {
    const std::u16string target = receiver_.HexHandle();
    for (const std::u16string& arguments :
         std::vector<std::u16string>{u"", u"\"<O><Fo>\"", u"/x " + target + u" \"<O><Fo>\"", u"/h",
                                     u"/h nowindow \"<O><Fo>\"", u"/h 00000000"}) {
        BuilderProcess builder(arguments);
        ASSERT_TRUE(builder.Started());
        bool sawWindow = true;
        const std::optional<DWORD> code = builder.WaitForExit(&sawWindow);
        ASSERT_TRUE(code.has_value()) << Narrow(arguments);
        EXPECT_EQ(*code, 0u) << Narrow(arguments);
        EXPECT_FALSE(sawWindow) << Narrow(arguments);
    }
    EXPECT_TRUE(receiver_.Received().empty());
}

TEST_F(BuilderProgramTest, WithADestroyedWindowShowsNothing) {
    std::u16string handle;
    {
        Receiver gone;
        handle = gone.HexHandle();
    }
    BuilderProcess builder(u"/h " + handle + u" \"<O><Fo>\"");
    bool sawWindow = true;
    const std::optional<DWORD> code = builder.WaitForExit(&sawWindow);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
    EXPECT_FALSE(sawWindow);
}

TEST_F(BuilderProgramTest, TypingUpdatesTheNewExample) {
    BuilderProcess builder(Switch(u"<O><Fo>"));
    HWND dialog = Open(builder);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(ExampleBecomes(dialog, u"DSC_0057.JPG"));
    HWND editor = GetDlgItem(dialog, IDC_FMT_EDITOR);
    // "*" cannot be typed into a format.
    for (const char16_t unit : std::u16string_view(u"x*y")) {
        PostMessageW(editor, WM_CHAR, unit, 1);
    }
    EXPECT_TRUE(ExampleBecomes(dialog, u"DSC_0057xy.JPG"));
    Click(dialog, IDCANCEL);
    ExitsWithZero(builder);
    EXPECT_TRUE(receiver_.Received().empty()) << "Cancel hands nothing back";
}

TEST_F(BuilderProgramTest, OkHandsBackTheNormalisedFormatWithTheCase) {
    BuilderProcess builder(Switch());
    HWND dialog = Open(builder);
    ASSERT_NE(dialog, nullptr);
    for (const int button : {IDC_FMT_YEAR_LONG, IDC_FMT_DIRECTORY_SEPARATOR,
                             IDC_FMT_DIRECTORY_SEPARATOR, IDC_FMT_MONTH_LONG}) {
        Click(dialog, button);
    }
    HWND caseList = GetDlgItem(dialog, IDC_FMT_CASE);
    SendMessageW(caseList, CB_SETCURSEL, 1, 0);  // "Lowercase"
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_FMT_CASE, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(caseList));
    Click(dialog, IDOK);
    ExitsWithZero(builder);

    ASSERT_EQ(receiver_.Received().size(), 1u);
    const Receiver::Message& message = receiver_.Received()[0];
    EXPECT_EQ(message.kind, 1u);
    EXPECT_EQ(message.text.status, CopyDataStatus::kAccepted);
    EXPECT_EQ(message.text.text, u"<Y4><DIR><M2><Fl>");
    EXPECT_EQ(message.bytes, (message.text.text.size() + 1) * 2);
    EXPECT_TRUE(IsWindowEnabled(receiver_.Frame()));
}

TEST_F(BuilderProgramTest, AnAppletThatDoesNotAnswerHoldsTheBuilderOnlyForTheBound) {
    BuilderProcess builder(Switch(u"<O><Fo>"));
    HWND dialog = Open(builder);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(ExampleBecomes(dialog, u"DSC_0057.JPG"));
    Click(dialog, IDOK);
    // From here this thread handles no messages: the page never answers.
    const auto start = std::chrono::steady_clock::now();
    const std::optional<DWORD> code =
        builder.WaitForExitUnanswered(std::chrono::milliseconds(kHandBackTimeoutMs) * 4);
    const auto waited = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(code.has_value()) << "the builder still waits for the applet";
    EXPECT_EQ(*code, 0u);
    EXPECT_GE(waited, std::chrono::milliseconds(kHandBackTimeoutMs) * 9 / 10)
        << "the builder gave up before the bound";
    EXPECT_TRUE(receiver_.Received().empty());
}

TEST_F(BuilderProgramTest, OkOnAnEmptyEditorSaysInvalidFormatAndSendsNothing) {
    BuilderProcess builder(Switch());
    HWND dialog = Open(builder);
    ASSERT_NE(dialog, nullptr);
    Click(dialog, IDOK);
    HWND box = builder.WaitForDialog(u"Camfolio - Error", dialog);
    ASSERT_NE(box, nullptr) << "no message box";
    EXPECT_EQ(ItemText(box, kMessageTextId), u"Invalid format");
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));

    EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open";
    EXPECT_TRUE(receiver_.Received().empty());
    Click(dialog, IDCANCEL);
    ExitsWithZero(builder);
    EXPECT_TRUE(receiver_.Received().empty());
}

TEST_F(BuilderProgramTest, TheOriginalDirectoryGoesFirstOnceAndOkRefusesItElsewhere) {
    BuilderProcess builder(Switch(u"<O><Fo>"));
    HWND dialog = Open(builder);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(ExampleBecomes(dialog, u"DSC_0057.JPG"));
    HWND directoryButton = GetDlgItem(dialog, IDC_FMT_ORIGINAL_DIRECTORY);
    Click(dialog, IDC_FMT_ORIGINAL_DIRECTORY);
    // Before the name, although the caret was after it.
    EXPECT_TRUE(ExampleBecomes(dialog, u"CameraDir\\DSC_0057.JPG"));
    EXPECT_FALSE(IsWindowEnabled(directoryButton)) << "a format holds one <P>";

    // Text typed before it: the example still shows the expansion, OK refuses.
    HWND editor = GetDlgItem(dialog, IDC_FMT_EDITOR);
    PostMessageW(editor, WM_KEYDOWN, VK_HOME, 1);
    PostMessageW(editor, WM_CHAR, u'a', 1);
    std::u16string example;
    EXPECT_TRUE(WaitUntil([&] {
        example = ItemText(dialog, IDC_FMT_NEW_EXAMPLE);
        return example.find(u"DSC_0057.JPG") != std::u16string::npos && example[0] == u'a';
    })) << Narrow(example);
    Click(dialog, IDOK);
    HWND box = builder.WaitForDialog(u"Camfolio - Error", dialog);
    ASSERT_NE(box, nullptr) << "no message box";
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));

    // Cleared, the editor offers the button again.
    Click(dialog, IDC_FMT_CLEAR);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(directoryButton) != FALSE; }));
    Click(dialog, IDCANCEL);
    ExitsWithZero(builder);
    EXPECT_TRUE(receiver_.Received().empty());
}

TEST_F(BuilderProgramTest, TheSelectorsInsertTheirTokens) {
    BuilderProcess builder(Switch());
    HWND dialog = Open(builder);
    ASSERT_NE(dialog, nullptr);

    Click(dialog, IDC_FMT_ORIGINAL_RANGE);
    HWND range = builder.WaitForDialog(u"Range selector", dialog);
    ASSERT_NE(range, nullptr);
    EXPECT_EQ(ItemText(range, 1033), u"DSC_0057");
    SendDlgItemMessageW(range, 1033, EM_SETSEL, 4, 8);
    PostMessageW(range, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(ExampleBecomes(dialog, u"0057.JPG"));

    Click(dialog, IDC_FMT_COUNTER);
    HWND digits = builder.WaitForDialog(u"Digits selector", dialog);
    ASSERT_NE(digits, nullptr);
    SendDlgItemMessageW(digits, 1037, TBM_SETPOS, TRUE, 10);
    PostMessageW(digits, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(ExampleBecomes(dialog, u"00570000000001.JPG"));

    // The editor is cleared; the case list keeps its selection.
    Click(dialog, IDC_FMT_CLEAR);
    EXPECT_TRUE(ExampleBecomes(dialog, u".JPG"));
    Click(dialog, IDCANCEL);
    ExitsWithZero(builder);
}

TEST_F(BuilderProgramTest, TheWindowKeepsItsInitialSizeAsTheMinimum) {
    BuilderProcess builder(Switch(u"<O><Fo>"));
    HWND dialog = Open(builder);
    ASSERT_NE(dialog, nullptr);
    RECT initial{};
    GetWindowRect(dialog, &initial);
    const LONG width = initial.right - initial.left;
    const LONG height = initial.bottom - initial.top;

    RECT dragged{initial.left, initial.top, initial.left + 100, initial.top + 80};
    SendMessageW(dialog, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&dragged));
    EXPECT_EQ(dragged.right - dragged.left, width);
    EXPECT_EQ(dragged.bottom - dragged.top, height);
    EXPECT_EQ(dragged.left, initial.left) << "the left edge stays";

    SetWindowPos(dialog, nullptr, 0, 0, width / 2, height / 2, SWP_NOMOVE | SWP_NOZORDER);
    RECT now{};
    GetWindowRect(dialog, &now);
    EXPECT_EQ(now.right - now.left, width);
    EXPECT_EQ(now.bottom - now.top, height);

    // Larger: OK keeps its distance to the corner, the grip stays in it.
    HWND ok = GetDlgItem(dialog, IDOK);
    RECT client{};
    RECT button{};
    GetClientRect(dialog, &client);
    GetWindowRect(ok, &button);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&button), 2);
    const LONG rightGap = client.right - button.right;
    const LONG bottomGap = client.bottom - button.bottom;
    SetWindowPos(dialog, nullptr, 0, 0, width + 120, height + 60, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(dialog, &client);
    GetWindowRect(ok, &button);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&button), 2);
    EXPECT_EQ(client.right - button.right, rightGap);
    EXPECT_EQ(client.bottom - button.bottom, bottomGap);

    HWND grip = FindWindowExW(dialog, nullptr, L"ScrollBar", nullptr);
    ASSERT_NE(grip, nullptr);
    EXPECT_TRUE(IsWindowVisible(grip));
    ShowWindow(dialog, SW_MAXIMIZE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(grip); })) << "maximised hides the grip";
    ShowWindow(dialog, SW_RESTORE);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(grip) != FALSE; }));

    Click(dialog, IDCANCEL);
    ExitsWithZero(builder);
}

// The receiver program the run command starts the builder over, a program of
// this tree's width, takes the shipped builder's hand-back: from a 32-bit
// process to a 64-bit one in the 64-bit tree.
TEST(BuilderReceiverProgram, PrintsTheFormatTheBuilderHandsBack) {
    const RegistrySandbox registry;
    const TempDir folder;
    const std::u16string handleFile = folder.Path() + u"\\handle.txt";
    ProgramRun run;
    std::thread receiver([&] {
        run =
            RunProgram(BuildTreeFolder(u"tests\\builder_receiver.exe"), u"\"" + handleFile + u"\"");
    });
    std::string handle;
    const bool written = WaitUntil([&] {
        handle = ReadFileBytes(handleFile);
        return handle.size() == 8;
    });
    if (written) {
        BuilderProcess builder(u"/h " + Widen(handle) + u" \"<O>_<C3><Fo>\"");
        HWND dialog = builder.WaitForDialog(kTitle);
        EXPECT_NE(dialog, nullptr) << "no builder dialog appeared";
        if (dialog != nullptr) {
            Click(dialog, IDOK);
            EXPECT_EQ(builder.WaitForExit(), std::optional<DWORD>(0));
        }
        const auto bits = static_cast<LONG>(std::stoul(handle, nullptr, 16));
        PostMessageW(static_cast<HWND>(LongToHandle(bits)), WM_CLOSE, 0, 0);
    }
    receiver.join();
    ASSERT_TRUE(written) << "the receiver wrote no handle";
    EXPECT_EQ(run.exitCode, std::optional<DWORD>(0));
    EXPECT_EQ(run.output, "<O>_<C3><Fo>\n");
}

}  // namespace
