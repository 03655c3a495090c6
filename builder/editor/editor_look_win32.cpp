#include "builder/editor/editor_look_win32.h"

#include <algorithm>

#include "common/dialog/dpi_win32.h"
#include "common/dialog/theme_library_win32.h"
#include "common/win32/wide_win32.h"

namespace {

constexpr int kTextPoints = 12;
constexpr int kButtonPoints = 8;
// In pixels at 96 DPI: the body's margin; around and inside a token button,
// the gap to its neighbours and the room between its border and its caption.
constexpr int kBodyMargin = 5;
constexpr int kButtonMarginX = 5;
constexpr int kButtonMarginY = 1;
constexpr int kButtonPaddingX = 6;
constexpr int kButtonPaddingY = 3;
// The frame the system draws, as thin at every resolution.
constexpr int kButtonBorder = 1;
constexpr int kPushButtonPart = 1;  // BP_PUSHBUTTON
constexpr int kNormalState = 1;     // PBS_NORMAL
constexpr int kPressedState = 3;    // PBS_PRESSED

HFONT CreateBoldFont(int points, int dotsPerInch) {
    return CreateFontW(-MulDiv(points, dotsPerInch, 72), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, L"Tahoma");
}

int FontHeight(HDC context, HFONT font) {
    const SelectedObject selected(context, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    return metrics.tmHeight;
}

int TextWidth(HDC context, const std::u16string& text) {
    SIZE size{};
    GetTextExtentPoint32W(context, AsWide(text.c_str()), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace

CEditorLook::~CEditorLook() {
    CloseTheme();
}

void CEditorLook::Open(HWND window) {
    const WindowDc context(window);
    const UINT dpi = DpiOfWindow(window);
    bodyMargin_ = ScaleToDpi(kBodyMargin, dpi);
    buttonMarginX_ = ScaleToDpi(kButtonMarginX, dpi);
    buttonMarginY_ = ScaleToDpi(kButtonMarginY, dpi);
    buttonPaddingX_ = ScaleToDpi(kButtonPaddingX, dpi);
    buttonPaddingY_ = ScaleToDpi(kButtonPaddingY, dpi);
    textFont_.Reset(CreateBoldFont(kTextPoints, static_cast<int>(dpi)));
    buttonFont_.Reset(CreateBoldFont(kButtonPoints, static_cast<int>(dpi)));
    textHeight_ = FontHeight(context.Get(), textFont_.Font());
    buttonHeight_ =
        FontHeight(context.Get(), buttonFont_.Font()) + 2 * (buttonPaddingY_ + kButtonBorder);
    lineHeight_ = std::max(textHeight_, buttonHeight_ + 2 * buttonMarginY_);
    ReopenTheme(window);
}

void CEditorLook::ReopenTheme(HWND window) {
    CloseTheme();
    if (ThemeIsActive()) {
        buttonTheme_ = ThemeLibrary::Current()->OpenThemeData(window, L"BUTTON");
    }
}

void CEditorLook::CloseTheme() {
    if (buttonTheme_ != nullptr && ThemeLibrary::Current() != nullptr) {
        ThemeLibrary::Current()->CloseThemeData(buttonTheme_);
    }
    buttonTheme_ = nullptr;
}

std::vector<int> CEditorLook::MeasureItems(HDC context, std::span<const EditorItem> items) const {
    std::vector<int> widths;
    widths.reserve(items.size());
    {
        const SelectedObject selected(context, textFont_.Get());
        for (const EditorItem& item : items) {
            widths.push_back(item.IsToken() ? 0 : TextWidth(context, item.text));
        }
    }
    const SelectedObject selected(context, buttonFont_.Get());
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].IsToken()) {
            widths[i] = TextWidth(context, items[i].text) +
                        2 * (buttonMarginX_ + buttonPaddingX_ + kButtonBorder);
        }
    }
    return widths;
}

void CEditorLook::Paint(HDC context, const RECT& area, POINT origin,
                        std::span<const EditorItem> items, const EditorLayout& layout,
                        EditorSelection selection) const {
    FillRect(context, &area, GetSysColorBrush(COLOR_WINDOW));
    SetBkMode(context, TRANSPARENT);
    const SelectedObject selected(context, textFont_.Get());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const ItemBox& box = layout.boxes[i];
        const int top = origin.y + box.line * lineHeight_;
        if (top >= area.bottom || top + lineHeight_ <= area.top) {
            continue;
        }
        const RECT cell{origin.x + box.left, top, origin.x + box.left + box.width,
                        top + lineHeight_};
        const bool isSelected = i >= selection.start && i < selection.end;
        if (isSelected) {
            FillRect(context, &cell, GetSysColorBrush(COLOR_HIGHLIGHT));
        }
        if (items[i].IsToken()) {
            PaintToken(context, cell, items[i], isSelected);
            continue;
        }
        SetTextColor(context, GetSysColor(isSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        TextOutW(context, cell.left, top + (lineHeight_ - textHeight_) / 2,
                 AsWide(items[i].text.c_str()), static_cast<int>(items[i].text.size()));
    }
}

void CEditorLook::PaintToken(HDC context, const RECT& cell, const EditorItem& item,
                             bool selected) const {
    const int top = cell.top + (lineHeight_ - buttonHeight_) / 2;
    RECT button{cell.left + buttonMarginX_, top, cell.right - buttonMarginX_, top + buttonHeight_};
    if (buttonTheme_ != nullptr) {
        ThemeLibrary::Current()->DrawThemeBackground(buttonTheme_, context, kPushButtonPart,
                                                     selected ? kPressedState : kNormalState,
                                                     &button, nullptr);
    } else {
        DrawFrameControl(context, &button, DFC_BUTTON,
                         DFCS_BUTTONPUSH | (selected ? DFCS_PUSHED : 0));
    }
    const SelectedObject font(context, buttonFont_.Get());
    SetTextColor(context, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(context, AsWide(item.text.c_str()), static_cast<int>(item.text.size()), &button,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
