// The main window's arithmetic at any screen scale: pixels given at 96 DPI scaled to the
// window's DPI, list columns fitted to the list's width, and where a remembered window may be put
// back. Portable, tested natively.
#pragma once

#include <vector>

namespace vondrel {

constexpr int kBaseDpi = 96;

// `pixels` at 96 DPI on a screen of `dpi`, rounded to the nearest pixel (DPIs below 96 count as 96).
int ScalePixels(int pixels, int dpi);

// A list column: the width it asks for and the least it needs for its heading and texts.
struct ColumnSpan {
    int preferred = 0;
    int minimum = 0;
};
// Widths for `columns` that add up to `available`: each as preferred when that fits, else the
// room above their minimums shared in proportion to what they give up; the last column takes
// what is left over. When even the minimums do not fit, every column keeps its minimum.
std::vector<int> FitColumns(const std::vector<ColumnSpan>& columns, int available);

// A rectangle in screen pixels, right and bottom exclusive.
struct ScreenRect {
    long left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const ScreenRect& other) const {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};
// A window's remembered rectangle and the monitor it was on.
struct WindowPlace {
    ScreenRect window;
    ScreenRect monitor;
};
// Whether `remembered` may be restored among `monitors` (the screens now present): its monitor
// must still be there with the same rectangle, and the window's title bar must lie on it. A
// rectangle smaller than `minimumWidth` x `minimumHeight` is never restored.
bool CanRestore(const WindowPlace& remembered, const std::vector<ScreenRect>& monitors, int minimumWidth,
                int minimumHeight);

}  // namespace vondrel
