#pragma once
// A rectangle in a dialog's client coordinates, for the layout arithmetic that
// needs no window.

struct LayoutRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const LayoutRect&) const = default;
};
