#pragma once
// Keeps a window from being dragged smaller than its minimum size: the border
// being dragged gives way, the opposite one stays.
#include "builder/app/layout_rect.h"

// The borders of a sizing drag, numbered as WM_SIZING's WMSZ_ values.
enum class SizingBorder : int {
    kLeft = 1,
    kRight = 2,
    kTop = 3,
    kTopLeft = 4,
    kTopRight = 5,
    kBottom = 6,
    kBottomLeft = 7,
    kBottomRight = 8,
};

// Raises rect (screen coordinates, as WM_SIZING proposes it) to the minimum
// width and height by moving the dragged edges: the left edge for the left
// borders, the top edge for the top borders, else the right and bottom edges.
void ClampSizing(int border, LayoutRect& rect, int minWidth, int minHeight);
