#include "builder/app/sizing_clamp.h"

namespace {

bool DragsLeftEdge(SizingBorder border) {
    return border == SizingBorder::kLeft || border == SizingBorder::kTopLeft ||
           border == SizingBorder::kBottomLeft;
}

bool DragsTopEdge(SizingBorder border) {
    return border == SizingBorder::kTop || border == SizingBorder::kTopLeft ||
           border == SizingBorder::kTopRight;
}

}  // namespace

void ClampSizing(int border, LayoutRect& rect, int minWidth, int minHeight) {
    const auto dragged = static_cast<SizingBorder>(border);
    if (rect.Width() < minWidth) {
        if (DragsLeftEdge(dragged)) {
            rect.left = rect.right - minWidth;
        } else {
            rect.right = rect.left + minWidth;
        }
    }
    if (rect.Height() < minHeight) {
        if (DragsTopEdge(dragged)) {
            rect.top = rect.bottom - minHeight;
        } else {
            rect.bottom = rect.top + minHeight;
        }
    }
}
