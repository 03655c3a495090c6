#include "builder/editor/html_ctrl_win32.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "builder/convert/token_button_html.h"
#include "builder/editor/editor_html.h"
#include "common/win32/wide_win32.h"

namespace {

constexpr int kPlaceholderId = 1000;
constexpr wchar_t kParentClass[] = L"CamfolioEditorTestParent";
constexpr std::u16string_view kEmpty = u"<P>&nbsp;</P>";

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Received&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Received& received) {
        return out << "message 0x" << std::hex << received.message << " wParam 0x"
                   << received.wParam << " lParam 0x" << received.lParam << std::dec;
    }
};

// The dialog's side: every keyboard message and context menu that reaches it.
LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* received =
        reinterpret_cast<std::vector<Received>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (received != nullptr && (message == WM_KEYDOWN || message == WM_KEYUP ||
                                message == WM_CHAR || message == WM_CONTEXTMENU)) {
        received->push_back({message, wParam, lParam});
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Keys held down for this thread while the object lives.
class HeldKeys {
  public:
    explicit HeldKeys(const std::vector<int>& keys) {
        GetKeyboardState(saved_);
        BYTE state[256];
        GetKeyboardState(state);
        for (int key : keys) {
            state[key] = 0x80;
        }
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(saved_); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

  private:
    BYTE saved_[256]{};
};

class HtmlCtrlTest : public testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = ParentProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kParentClass;
        RegisterClassExW(&windowClass);
        // Never shown: without a window manager, Wine waits seconds for a shown
        // top-level window to go. Messages, focus and drawing work all the same.
        parent_ = CreateWindowExW(0, kParentClass, L"Token editor", WS_OVERLAPPEDWINDOW, 50, 50,
                                  520, 220, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(parent_, nullptr);
        placeholder_ = CreateWindowExW(
            0, L"STATIC", L"Static", WS_CHILD | WS_VISIBLE, 10, 20, 460, 90, parent_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPlaceholderId)), nullptr, nullptr);
        ASSERT_NE(placeholder_, nullptr);
        GetWindowRect(placeholder_, &placeholderRect_);
        ASSERT_TRUE(editor_.CreateInPlaceOf(parent_, kPlaceholderId));
        editor_.SetInputFilter(true);
        editor_.SetForwardInput(true);
        SetWindowLongPtrW(parent_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&received_));
    }

    void TearDown() override {
        if (parent_ != nullptr) {
            DestroyWindow(parent_);
        }
    }

    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) {
        return SendMessageW(editor_.Window(), message, wParam, lParam);
    }
    void Press(int key) {
        Send(WM_KEYDOWN, key, 1);
        Send(WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
    }
    void Type(std::u16string_view text) {
        for (char16_t unit : text) {
            Send(WM_CHAR, unit, 1);
        }
    }
    void Write(const std::u16string& body) {
        ASSERT_TRUE(editor_.WriteDocument(ComposeEditorDocument(body)));
    }

    HWND parent_ = nullptr;
    HWND placeholder_ = nullptr;
    RECT placeholderRect_{};
    CHtmlCtrl editor_;
    std::vector<Received> received_;
};

TEST_F(HtmlCtrlTest, TakesThePlaceOfThePlaceholder) {
    EXPECT_FALSE(IsWindow(placeholder_));
    EXPECT_EQ(GetDlgItem(parent_, kPlaceholderId), editor_.Window());
    wchar_t className[64] = {};
    GetClassNameW(editor_.Window(), className, 64);
    EXPECT_STREQ(className, L"CamfolioTokenEditor");
    RECT rect{};
    GetWindowRect(editor_.Window(), &rect);
    EXPECT_TRUE(EqualRect(&rect, &placeholderRect_));
    EXPECT_EQ(editor_.BodyHtml(), kEmpty);
}

TEST_F(HtmlCtrlTest, TypedTextAppearsAndEveryKeyIsForwarded) {
    Send(WM_KEYDOWN, 'A', 0x001E0001);
    Type(u"a&b");
    Send(WM_KEYUP, 'A', static_cast<LPARAM>(0xC01E0001));
    EXPECT_EQ(editor_.BodyHtml(), u"a&amp;b");
    const std::vector<Received> expected = {
        {WM_KEYDOWN, 'A', 0x001E0001},
        {WM_CHAR, 'a', 1},
        {WM_CHAR, '&', 1},
        {WM_CHAR, 'b', 1},
        {WM_KEYUP, 'A', static_cast<LPARAM>(0xC01E0001)},
    };
    EXPECT_EQ(received_, expected);
}

TEST_F(HtmlCtrlTest, BlockedCharactersInsertNothing) {
    Type(u"<>:\"/\\|?*");
    EXPECT_EQ(editor_.BodyHtml(), kEmpty);
    EXPECT_TRUE(received_.empty());

    CHtmlCtrl own(u"#");
    HWND placeholder =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, parent_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(2000)), nullptr, nullptr);
    ASSERT_NE(placeholder, nullptr);
    ASSERT_TRUE(own.CreateInPlaceOf(parent_, 2000));
    SendMessageW(own.Window(), WM_CHAR, '#', 1);
    SendMessageW(own.Window(), WM_CHAR, '?', 1);
    EXPECT_EQ(own.BodyHtml(), u"?");
}

TEST_F(HtmlCtrlTest, SwallowsEnterEscapeRefreshFullScreenAndTheClipboardKeys) {
    Write(u"abc");
    editor_.MoveCaretToEnd();
    Send(WM_KEYDOWN, VK_LEFT, 1);  // a selection for Ctrl+X to cut, were it let through
    {
        const HeldKeys shift(std::vector<int>{VK_SHIFT});
        Send(WM_KEYDOWN, VK_LEFT, 1);
    }
    received_.clear();
    struct Case {
        int key;
        std::vector<int> held;
    };
    const Case cases[] = {
        {VK_RETURN, {}},     {VK_ESCAPE, {}},           {VK_F5, {}},
        {VK_F11, {}},        {'C', {VK_CONTROL}},       {'V', {VK_CONTROL}},
        {'X', {VK_CONTROL}}, {VK_INSERT, {VK_CONTROL}}, {VK_INSERT, {VK_SHIFT}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << " with " << c.held.size() << " held");
        const HeldKeys held(c.held);
        Press(c.key);
        EXPECT_EQ(editor_.BodyHtml(), u"abc");
        EXPECT_TRUE(received_.empty());
    }
    // The selection survived: typing replaces it.
    Type(u"X");
    EXPECT_EQ(editor_.BodyHtml(), u"aXc");
}

TEST_F(HtmlCtrlTest, ClaimsEveryKeyButTabFromTheDialogManager) {
    MSG enter{editor_.Window(), WM_KEYDOWN, VK_RETURN, 1, 0, {}};
    EXPECT_TRUE(Send(WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) &
                DLGC_WANTALLKEYS);
    MSG tab{editor_.Window(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
    const LRESULT tabCode = Send(WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab));
    EXPECT_FALSE(tabCode & DLGC_WANTALLKEYS);
    EXPECT_TRUE(tabCode & DLGC_WANTCHARS);
}

TEST_F(HtmlCtrlTest, EditsWithTheKeysThatPass) {
    Write(u"ab" + TokenButtonHtml(u"<Y4>", u"Year (Long)") + u"cd");
    editor_.MoveCaretToEnd();
    Press(VK_LEFT);
    Press(VK_LEFT);
    Press(VK_BACK);
    EXPECT_EQ(editor_.BodyHtml(), u"abcd");
    Press(VK_HOME);
    Press(VK_DELETE);
    {
        const HeldKeys shift(std::vector<int>{VK_SHIFT});
        Press(VK_END);
    }
    Type(u"Z");
    EXPECT_EQ(editor_.BodyHtml(), u"Z");
    EXPECT_EQ(received_.size(), 2u * 6 + 1);
}

TEST_F(HtmlCtrlTest, InsertsTokensAtTheCaretAndFocusesItself) {
    Write(u"abc");
    editor_.MoveCaretToEnd();
    editor_.InsertTokenAtCaret(TokenButtonHtml(u"<Y4>", u"Year (Long)"), false);
    editor_.InsertTokenAtCaret(TokenButtonHtml(u"<P>", u"Original directory"), true);
    const std::u16string body = editor_.BodyHtml();
    EXPECT_TRUE(
        body.starts_with(u"<button contenteditable=false onresizestart='return false;' "
                         u"value=\"<P>\">Original directory</button>abc<button"))
        << testing::PrintToString(body);
    EXPECT_EQ(GetFocus(), editor_.Window());
    EXPECT_TRUE(editor_.HasChanged());
    EXPECT_FALSE(editor_.HasChanged());
}

TEST_F(HtmlCtrlTest, RightButtonShowsNoMenuAndTellsTheDialog) {
    Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(30, 12));
    Send(WM_RBUTTONUP, 0, MAKELPARAM(30, 12));
    Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(editor_.Window()), MAKELPARAM(-1, -1));
    const std::vector<Received> expected = {{WM_CONTEXTMENU, 0, MAKELPARAM(30, 12)}};
    EXPECT_EQ(received_, expected);
}

TEST_F(HtmlCtrlTest, AClickPlacesTheCaret) {
    Write(u"abc" + TokenButtonHtml(u"<Y4>", u"Year (Long)"));
    editor_.MoveCaretToEnd();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(1, 10));
    EXPECT_EQ(GetFocus(), editor_.Window());
    Type(u"x");
    EXPECT_TRUE(editor_.BodyHtml().starts_with(u"xabc"))
        << testing::PrintToString(editor_.BodyHtml());

    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(400, 10));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(400, 10));
    Type(u"y");
    EXPECT_TRUE(editor_.BodyHtml().ends_with(u"</button>y"));
}

// The editor's pixels as WM_PRINTCLIENT draws them.
std::vector<COLORREF> Pixels(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < client.bottom; y += 2) {
        for (int x = 0; x < client.right; x += 2) {
            pixels.push_back(GetPixel(memory, x, y));
        }
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return pixels;
}

TEST_F(HtmlCtrlTest, DrawsTextAndButtonsOverTheBackground) {
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    const auto drawn = [&] {
        int count = 0;
        for (COLORREF pixel : Pixels(editor_.Window())) {
            count += pixel != background ? 1 : 0;
        }
        return count;
    };
    EXPECT_EQ(drawn(), 0);
    Write(u"ab");
    const int text = drawn();
    EXPECT_GT(text, 0);
    Write(u"ab" + TokenButtonHtml(u"<Y4>", u"Year (Long)"));
    EXPECT_GT(drawn(), text + 100);
}

TEST_F(HtmlCtrlTest, ScrollsWhenTheContentDoesNotFit) {
    std::u16string words;
    for (int i = 0; i < 60; ++i) {
        words += u"word ";
    }
    Write(words);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(editor_.Window(), SB_VERT, &info);
    EXPECT_GT(info.nMax + 1, static_cast<int>(info.nPage));
    EXPECT_EQ(info.nPos, 0);
    Press(VK_END);
    GetScrollInfo(editor_.Window(), SB_VERT, &info);
    EXPECT_GT(info.nPos, 0);
    Press(VK_HOME);
    GetScrollInfo(editor_.Window(), SB_VERT, &info);
    EXPECT_EQ(info.nPos, 0);

    Write(u"short");
    EXPECT_FALSE(GetWindowLongPtrW(editor_.Window(), GWL_STYLE) & WS_VSCROLL);
}

TEST_F(HtmlCtrlTest, KeepsItsContentWhenADocumentHasNoBody) {
    Write(u"kept");
    EXPECT_FALSE(editor_.WriteDocument(u"<html>lost</html>"));
    EXPECT_EQ(editor_.BodyHtml(), u"kept");
}

}  // namespace
