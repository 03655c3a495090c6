#pragma once
// Whether the captions of a window's static controls fit them: each visible
// text static's caption, measured with the control's own font the way the
// control draws it (wrapped at word ends unless its style keeps one line),
// must lie inside its client rectangle.
#include <windows.h>

#include <string>
#include <vector>

// One line for each static below window, at any depth, whose caption does not
// fit: its id, its caption, the size the caption needs and the size it has.
// Each static counted goes to checked when given.
std::vector<std::string> CutStaticCaptions(HWND window, int* checked = nullptr);
