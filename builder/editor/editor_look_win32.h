#pragma once
// How the token editor looks: bold text, tokens as small push buttons (themed
// when visual styles are active) with their captions, the selection
// highlighted. It owns the fonts and the button theme and draws the items where
// the layout puts them.
#include <windows.h>

#include <cstddef>
#include <span>
#include <vector>

#include <uxtheme.h>

#include "builder/editor/editor_html.h"
#include "builder/editor/editor_layout.h"
#include "common/win32/ownership_win32.h"

struct EditorSelection {
    std::size_t start = 0;
    std::size_t end = 0;
};

class CEditorLook {
  public:
    CEditorLook() = default;
    ~CEditorLook();
    CEditorLook(const CEditorLook&) = delete;
    CEditorLook& operator=(const CEditorLook&) = delete;

    // Fonts and sizes for the window's resolution, and the button theme, if any.
    void Open(HWND window);
    // After the system's visual style changed.
    void ReopenTheme(HWND window);
    void CloseTheme();

    int LineHeight() const { return lineHeight_; }
    int TextHeight() const { return textHeight_; }
    // The room between the border and the content, as the document's body margin.
    int BodyMargin() const { return bodyMargin_; }

    // The width of every item as LayOutItems wants them.
    std::vector<int> MeasureItems(HDC context, std::span<const EditorItem> items) const;

    // Draws the items at origin (the layout's point 0 of line 0) over the
    // window's background in area.
    void Paint(HDC context, const RECT& area, POINT origin, std::span<const EditorItem> items,
               const EditorLayout& layout, EditorSelection selection) const;

  private:
    void PaintToken(HDC context, const RECT& box, const EditorItem& item, bool selected) const;

    UniqueGdiObject textFont_;
    UniqueGdiObject buttonFont_;
    HTHEME buttonTheme_ = nullptr;
    int textHeight_ = 0;
    int buttonHeight_ = 0;
    int lineHeight_ = 1;
    // The design's pixel sizes at the window's resolution.
    int bodyMargin_ = 0;
    int buttonMarginX_ = 0;
    int buttonMarginY_ = 0;
    int buttonPaddingX_ = 0;
    int buttonPaddingY_ = 0;
};
