#include <gtest/gtest.h>

#include "builder/app/layout_anchor.h"
#include "builder/app/sizing_clamp.h"

namespace {

constexpr LayoutRect kDialog{0, 0, 600, 400};
constexpr LayoutRect kControl{100, 300, 200, 320};

TEST(LayoutAnchor, RegistersTheDistancesToTheRightAndBottomEdges) {
    const LayoutAnchor anchor = RegisterAnchor(1017, 14, kControl, kDialog);
    EXPECT_EQ(anchor.controlId, 1017);
    EXPECT_EQ(anchor.edges, 14u);
    EXPECT_EQ(anchor.left, 500);
    EXPECT_EQ(anchor.right, 400);
    EXPECT_EQ(anchor.top, 100);
    EXPECT_EQ(anchor.bottom, 80);
}

TEST(LayoutAnchor, FollowsTheChosenEdgesAndSaysHowTheControlChanges) {
    constexpr LayoutRect kWider{0, 0, 650, 430};
    struct Case {
        unsigned edges;
        LayoutRect dialog;
        LayoutRect expected;
        AnchorMove move;
    };
    for (const Case& c : {
             // OK, Cancel, Clear: with the bottom-right corner.
             Case{15, kWider, {150, 330, 250, 350}, AnchorMove::kMove},
             // The example labels: down only.
             Case{12, kWider, {100, 330, 200, 350}, AnchorMove::kMoveAndResize},
             // The examples: down and wider.
             Case{14, kWider, {100, 330, 250, 350}, AnchorMove::kMoveAndResize},
             // The editor: wider and taller, its top-left corner stays.
             Case{10, kWider, {100, 300, 250, 350}, AnchorMove::kResize},
             // Nothing to follow, or the dialog's size unchanged.
             Case{0, kWider, kControl, AnchorMove::kNone},
             Case{15, kDialog, kControl, AnchorMove::kNone},
             Case{10, kDialog, kControl, AnchorMove::kNone},
             // Smaller again: the same distances.
             Case{14, {0, 0, 550, 380}, {100, 280, 150, 300}, AnchorMove::kMoveAndResize},
         }) {
        const LayoutAnchor anchor = RegisterAnchor(1, c.edges, kControl, kDialog);
        const AnchorPlacement placement = ApplyAnchor(anchor, kControl, c.dialog);
        EXPECT_EQ(placement.rect, c.expected) << "edges " << c.edges;
        EXPECT_EQ(placement.move, c.move) << "edges " << c.edges;
    }
}

TEST(ClampSizing, TheDraggedEdgesGiveWay) {
    constexpr LayoutRect kProposed{100, 100, 150, 130};  // 50 x 30, minimum 200 x 120
    struct Case {
        int border;  // WMSZ_*
        LayoutRect expected;
    };
    for (const Case& c : {
             Case{1, {-50, 100, 150, 220}},  // left
             Case{2, {100, 100, 300, 220}},  // right
             Case{3, {100, 10, 300, 130}},   // top
             Case{4, {-50, 10, 150, 130}},   // top-left
             Case{5, {100, 10, 300, 130}},   // top-right
             Case{6, {100, 100, 300, 220}},  // bottom
             Case{7, {-50, 100, 150, 220}},  // bottom-left
             Case{8, {100, 100, 300, 220}},  // bottom-right
         }) {
        LayoutRect rect = kProposed;
        ClampSizing(c.border, rect, 200, 120);
        EXPECT_EQ(rect, c.expected) << "border " << c.border;
    }
}

TEST(ClampSizing, LeavesASizeAtOrAboveTheMinimum) {
    for (const LayoutRect proposed : {LayoutRect{0, 0, 200, 120}, LayoutRect{-10, 5, 400, 500}}) {
        for (int border = 1; border <= 8; ++border) {
            LayoutRect rect = proposed;
            ClampSizing(border, rect, 200, 120);
            EXPECT_EQ(rect, proposed) << "border " << border;
        }
    }
    // Only the dimension below its minimum changes.
    LayoutRect narrow{0, 0, 100, 500};
    ClampSizing(8, narrow, 200, 120);
    EXPECT_EQ(narrow, (LayoutRect{0, 0, 200, 500}));
}

}  // namespace
