// The Range and Digits Selectors run modally in the test's own process; a
// thread timer finds each dialog once it is shown and drives it.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "builder/app/digits_dlg_ids.h"
#include "builder/app/digits_dlg_win32.h"
#include "builder/app/range_dlg_ids.h"
#include "builder/app/range_dlg_win32.h"
#include "common/win32/wide_win32.h"
#include "tests/support/u16.h"

namespace {

// Gives up on a dialog that does not show or does not end (about 20 s).
constexpr int kMaxTicks = 1000;

// Runs script once on the visible dialog of this thread that has the title,
// from a timer of the dialog's own message loop.
class DialogScript {
  public:
    DialogScript(std::u16string title, std::function<void(HWND)> script)
        : title_(std::move(title)), script_(std::move(script)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 20, &DialogScript::Tick);
    }
    ~DialogScript() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    bool Ran() const { return ran_; }

  private:
    static BOOL CALLBACK Match(HWND window, LPARAM param) {
        auto* self = reinterpret_cast<DialogScript*>(param);
        wchar_t title[128] = {};
        GetWindowTextW(window, title, 128);
        if (IsWindowVisible(window) && AsU16(title) == self->title_) {
            self->dialog_ = window;
            return FALSE;
        }
        return TRUE;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        DialogScript* self = current_;
        if (self == nullptr) {
            return;
        }
        ++self->ticks_;
        if (!self->ran_) {
            EnumThreadWindows(GetCurrentThreadId(), Match, reinterpret_cast<LPARAM>(self));
            if (self->dialog_ != nullptr) {
                self->ran_ = true;
                self->script_(self->dialog_);
            }
        }
        if (self->ticks_ > kMaxTicks && self->dialog_ != nullptr && IsWindow(self->dialog_)) {
            ADD_FAILURE() << "the dialog did not end";
            PostMessageW(self->dialog_, WM_COMMAND, IDCANCEL, 0);
        }
    }

    static DialogScript* current_;
    std::u16string title_;
    std::function<void(HWND)> script_;
    UINT_PTR timer_ = 0;
    HWND dialog_ = nullptr;
    int ticks_ = 0;
    bool ran_ = false;
};

DialogScript* DialogScript::current_ = nullptr;

void Press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

std::u16string ItemText(HWND dialog, int id) {
    wchar_t text[128] = {};
    GetDlgItemTextW(dialog, id, text, 128);
    return AsU16(text);
}

class SelectorDialogsTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
    }
    HINSTANCE instance_ = GetModuleHandleW(nullptr);
};

TEST_F(SelectorDialogsTest, RangeSelectorReportsTheSelectedCharacters) {
    struct Case {
        int startOffset;  // -1: the selection as the dialog starts
        int endOffset;
        RangeSelection expected;
    };
    for (const Case& c :
         {Case{-1, -1, {1, 8}}, Case{4, 8, {5, 8}}, Case{7, 8, {8, 8}}, Case{4, 4, {5, 4}}}) {
        CRangeDlg range(instance_, u"DSC_0057");
        std::u16string shown;
        const DialogScript script(u"Range selector", [&](HWND dialog) {
            shown = ItemText(dialog, IDC_RANGE_NAME);
            if (c.startOffset >= 0) {
                SendDlgItemMessageW(dialog, IDC_RANGE_NAME, EM_SETSEL, c.startOffset, c.endOffset);
            }
            Press(dialog, IDOK);
        });
        ASSERT_EQ(range.Run(nullptr), IDOK);
        EXPECT_TRUE(script.Ran());
        EXPECT_EQ(shown, u"DSC_0057");
        EXPECT_EQ(range.Selection().start, c.expected.start) << c.startOffset;
        EXPECT_EQ(range.Selection().end, c.expected.end) << c.startOffset;
    }
}

TEST_F(SelectorDialogsTest, RangeSelectorCaptionsAndCancel) {
    CRangeDlg range(instance_, u"DSC_0057");
    std::u16string label;
    const DialogScript script(u"Range selector", [&](HWND dialog) {
        label = ItemText(dialog, IDC_RANGE_LABEL);
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(range.Run(nullptr), IDCANCEL);
    EXPECT_EQ(label, u"Select characters to use:");
}

TEST_F(SelectorDialogsTest, DigitsSelectorStartsAtFourAndReportsTheSlider) {
    struct Case {
        int position;  // 0: left as it starts
        int expected;
    };
    for (const Case& c : {Case{0, 4}, Case{10, 10}, Case{1, 1}}) {
        CDigitsDlg digits(instance_);
        std::u16string shown;
        std::u16string label;
        const DialogScript script(u"Digits selector", [&](HWND dialog) {
            shown = ItemText(dialog, IDC_DIGITS_POSITION);
            label = ItemText(dialog, IDC_DIGITS_LABEL);
            if (c.position != 0) {
                SendDlgItemMessageW(dialog, IDC_DIGITS_SLIDER, TBM_SETPOS, TRUE, c.position);
            }
            Press(dialog, IDOK);
        });
        ASSERT_EQ(digits.Run(nullptr), IDOK);
        EXPECT_EQ(digits.Digits(), c.expected);
        EXPECT_EQ(shown, u"4");
        EXPECT_EQ(label, u"Number of digits to use:");
    }
}

TEST_F(SelectorDialogsTest, TheNumberShownFollowsEveryMoveOfTheSlider) {
    struct Move {
        const char* name;
        UINT key;  // 0: a drag of the thumb to dragTo
        int dragTo;
        int expected;  // 0: wherever the slider's page size takes it
    };
    const Move moves[] = {
        {"drag", 0, 7, 7},      {"right arrow", VK_RIGHT, 0, 8}, {"left arrow", VK_LEFT, 0, 7},
        {"end", VK_END, 0, 10}, {"home", VK_HOME, 0, 1},         {"page down", VK_NEXT, 0, 0},
        {"drag", 0, 9, 9},
    };
    CDigitsDlg digits(instance_);
    int range[2] = {};
    std::vector<std::pair<std::u16string, int>> seen;  // text shown, slider position
    const DialogScript script(u"Digits selector", [&](HWND dialog) {
        HWND slider = GetDlgItem(dialog, IDC_DIGITS_SLIDER);
        range[0] = static_cast<int>(SendMessageW(slider, TBM_GETRANGEMIN, 0, 0));
        range[1] = static_cast<int>(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0));
        for (const Move& move : moves) {
            if (move.key == 0) {
                SendMessageW(slider, TBM_SETPOS, TRUE, move.dragTo);
                SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, move.dragTo),
                             reinterpret_cast<LPARAM>(slider));
            } else {
                // The slider's own keyboard handling, which tells the dialog.
                SendMessageW(slider, WM_KEYDOWN, move.key, 1);
                SendMessageW(slider, WM_KEYUP, move.key, 1);
            }
            seen.emplace_back(ItemText(dialog, IDC_DIGITS_POSITION),
                              static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0)));
        }
        Press(dialog, IDOK);
    });
    ASSERT_EQ(digits.Run(nullptr), IDOK);
    EXPECT_EQ(range[0], 1);
    EXPECT_EQ(range[1], 10);
    ASSERT_EQ(seen.size(), std::size(moves));
    for (std::size_t i = 0; i < seen.size(); ++i) {
        SCOPED_TRACE(moves[i].name);
        if (moves[i].expected != 0) {
            EXPECT_EQ(seen[i].second, moves[i].expected);
        }
        EXPECT_EQ(Narrow(seen[i].first), std::to_string(seen[i].second)) << "the number shown";
    }
    EXPECT_EQ(digits.Digits(), seen.back().second) << "OK inserts what is shown";
}

}  // namespace
