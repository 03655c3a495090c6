#pragma once
// The builder's token editor: a control of our own that edits the document
// model of editor_document.h, drawn as bold text with token buttons. It keeps
// the user from typing characters a format may not hold, from the clipboard
// and from context menus, and tells its dialog about every key that passes.
#include <windows.h>

#include <string>
#include <string_view>

#include "builder/editor/editor_document.h"
#include "builder/editor/editor_layout.h"
#include "builder/editor/editor_look_win32.h"

// Characters that typing may not insert.
inline constexpr std::u16string_view kDefaultBlockedCharacters = u"<>:\"/\\|?*";

class CHtmlCtrl {
  public:
    explicit CHtmlCtrl(std::u16string_view blockedCharacters = kDefaultBlockedCharacters);
    ~CHtmlCtrl();
    CHtmlCtrl(const CHtmlCtrl&) = delete;
    CHtmlCtrl& operator=(const CHtmlCtrl&) = delete;

    // Takes the place of the dialog's placeholder control: same rectangle, id
    // and tab position; the placeholder is destroyed. The window belongs to the
    // dialog and goes with it.
    bool CreateInPlaceOf(HWND dialog, int controlId);
    HWND Window() const { return window_; }

    // Swallows right-button messages and context menus; a released right
    // button becomes WM_CONTEXTMENU to the dialog.
    void SetInputFilter(bool on) { inputFilter_ = on; }
    // Sends every keyboard message that passes the filter on to the dialog.
    void SetForwardInput(bool on) { forwardInput_ = on; }

    // Rewrites the content from a composed document; false, and nothing
    // changed, when it has no body.
    bool WriteDocument(std::u16string_view document);
    std::u16string BodyHtml() const { return document_.BodyHtml(); }
    // Whether the body HTML changed since the previous test.
    bool HasChanged() { return document_.HasChanged(); }
    // Inserts a token button over the selection, or, with atStart, before
    // everything, and focuses the editor.
    void InsertTokenAtCaret(std::u16string_view buttonHtml, bool atStart);
    void Focus();
    void MoveCaretToEnd();

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnFilteredInput(UINT message, WPARAM wParam, LPARAM lParam);
    void OnKeyDown(WPARAM key);
    void OnMouse(UINT message, WPARAM wParam, LPARAM lParam);
    void OnScroll(WPARAM request);
    void OnPaint();
    void MoveVertically(int lines, bool extend);
    std::size_t IndexAt(LPARAM point) const;

    // After any change of content, caret or size: lays out, keeps the caret
    // in view and redraws.
    void Refresh();
    void LayOut();
    void ScrollTo(int y);
    void PlaceCaret();
    POINT Origin() const;

    std::u16string blocked_;
    bool inputFilter_ = false;
    bool forwardInput_ = false;
    HWND window_ = nullptr;
    CEditorDocument document_;
    CEditorLook look_;
    EditorLayout layout_;
    int contentHeight_ = 0;
    int scrollY_ = 0;
    bool layingOut_ = false;
    bool selecting_ = false;
};
