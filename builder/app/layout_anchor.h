#pragma once
// A control that follows the dialog's right and bottom edges when the dialog
// is resized: the chosen edges of the control keep the distances they had to
// the dialog's right or bottom edge when the anchor was registered.
#include "builder/app/layout_rect.h"

enum AnchorEdge : unsigned {
    kAnchorLeft = 1,    // left edge keeps its distance to the dialog's right edge
    kAnchorRight = 2,   // right edge keeps its distance to the dialog's right edge
    kAnchorTop = 4,     // top edge keeps its distance to the dialog's bottom edge
    kAnchorBottom = 8,  // bottom edge keeps its distance to the dialog's bottom edge
};

struct LayoutAnchor {
    int controlId = 0;
    unsigned edges = 0;
    // Measured at registration: dialog right - control left, dialog right -
    // control right, dialog bottom - control top, dialog bottom - control bottom.
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

// control and dialog are the two rectangles in the dialog's client coordinates.
LayoutAnchor RegisterAnchor(int controlId, unsigned edges, const LayoutRect& control,
                            const LayoutRect& dialog);

enum class AnchorMove {
    kNone,           // nothing changed: leave the control alone
    kMove,           // all four edges follow: same size, new position
    kResize,         // neither the left nor the top edge follows: same position, new size
    kMoveAndResize,  // anything else
};

struct AnchorPlacement {
    AnchorMove move = AnchorMove::kNone;
    LayoutRect rect;  // the control's new rectangle
};

// Where the control goes now that the dialog has the rectangle dialog.
AnchorPlacement ApplyAnchor(const LayoutAnchor& anchor, const LayoutRect& control,
                            const LayoutRect& dialog);
