#pragma once
// A static control drawn as a hyperlink, with a tooltip. The owner keeps the
// link rectangle (dialog client coordinates) and the tooltip window.
#include <windows.h>

// The control's client rectangle in the dialog's client coordinates; empty
// when that fails.
RECT GetControlRect(HWND dialog, int controlId);

// Sizes the control to text (when given) in the link font, sets it, and adds
// a tooltip for the resulting rectangle. Answers the tooltip window.
HWND SetUpLinkStatic(HWND dialog, int controlId, const char16_t* text, const char16_t* tooltip,
                     RECT* linkRect);

// Draws the control's text (at most 99 units) into rect (GetControlRect when
// null): underlined dark blue in link style, else in the window-text colour.
// The computed text rectangle goes back into rect; with font non-null the
// caller receives the font and owns it.
void DrawLinkText(HWND dialog, int controlId, HDC context, RECT* rect, bool linkStyle, HFONT* font);

// A topmost tooltip owned by dialog for one rectangle of it.
HWND CreateToolTip(HWND dialog, const char16_t* text, const RECT& rect);
