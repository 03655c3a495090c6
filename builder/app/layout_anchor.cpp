#include "builder/app/layout_anchor.h"

LayoutAnchor RegisterAnchor(int controlId, unsigned edges, const LayoutRect& control,
                            const LayoutRect& dialog) {
    return LayoutAnchor{controlId,
                        edges,
                        dialog.right - control.left,
                        dialog.right - control.right,
                        dialog.bottom - control.top,
                        dialog.bottom - control.bottom};
}

AnchorPlacement ApplyAnchor(const LayoutAnchor& anchor, const LayoutRect& control,
                            const LayoutRect& dialog) {
    LayoutRect rect = control;
    if ((anchor.edges & kAnchorLeft) != 0) {
        rect.left = dialog.right - anchor.left;
    }
    if ((anchor.edges & kAnchorRight) != 0) {
        rect.right = dialog.right - anchor.right;
    }
    if ((anchor.edges & kAnchorTop) != 0) {
        rect.top = dialog.bottom - anchor.top;
    }
    if ((anchor.edges & kAnchorBottom) != 0) {
        rect.bottom = dialog.bottom - anchor.bottom;
    }
    constexpr unsigned kAll = kAnchorLeft | kAnchorRight | kAnchorTop | kAnchorBottom;
    AnchorMove move = AnchorMove::kMoveAndResize;
    if (rect == control) {
        move = AnchorMove::kNone;
    } else if (anchor.edges == kAll) {
        move = AnchorMove::kMove;
    } else if ((anchor.edges & (kAnchorLeft | kAnchorTop)) == 0) {
        move = AnchorMove::kResize;
    }
    return {move, rect};
}
