// The Range and Digits Selectors run modally in the test's own process; a
// thread timer finds each dialog once it is shown and drives it.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

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

TEST_F(SelectorDialogsTest, OnlyDraggingTheThumbUpdatesTheNumberShown) {
    CDigitsDlg digits(instance_);
    std::u16string afterDrag;
    std::u16string afterKeys;
    int range[2] = {};
    const DialogScript script(u"Digits selector", [&](HWND dialog) {
        HWND slider = GetDlgItem(dialog, IDC_DIGITS_SLIDER);
        range[0] = static_cast<int>(SendMessageW(slider, TBM_GETRANGEMIN, 0, 0));
        range[1] = static_cast<int>(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0));
        SendMessageW(slider, TBM_SETPOS, TRUE, 7);
        SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 7),
                     reinterpret_cast<LPARAM>(slider));
        afterDrag = ItemText(dialog, IDC_DIGITS_POSITION);
        SendMessageW(slider, TBM_SETPOS, TRUE, 8);
        SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_LINEDOWN, 0),
                     reinterpret_cast<LPARAM>(slider));
        afterKeys = ItemText(dialog, IDC_DIGITS_POSITION);
        Press(dialog, IDOK);
    });
    ASSERT_EQ(digits.Run(nullptr), IDOK);
    EXPECT_EQ(range[0], 1);
    EXPECT_EQ(range[1], 10);
    EXPECT_EQ(afterDrag, u"7");
    EXPECT_EQ(afterKeys, u"7") << "keys and clicks leave the number";
    EXPECT_EQ(digits.Digits(), 8);
}

}  // namespace
