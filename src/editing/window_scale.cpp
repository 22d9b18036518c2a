// Screen-scale arithmetic of the main window.
#include "editing/window_scale.h"

#include <algorithm>

namespace vondrel {

int ScalePixels(int pixels, int dpi) {
    const long long scaled = static_cast<long long>(pixels) * std::max(dpi, kBaseDpi);
    return static_cast<int>((scaled + (scaled >= 0 ? kBaseDpi / 2 : -kBaseDpi / 2)) / kBaseDpi);
}

std::vector<int> FitColumns(const std::vector<ColumnSpan>& columns, int available) {
    std::vector<int> widths;
    if (columns.empty()) return widths;
    long long preferred = 0, minimum = 0;
    for (const ColumnSpan& column : columns) {
        preferred += std::max(column.preferred, column.minimum);
        minimum += column.minimum;
    }
    // What the columns give up below their preferred widths, shared by their slack.
    const long long cut = std::clamp<long long>(preferred - available, 0, preferred - minimum);
    const long long slack = preferred - minimum;
    // Shares of running totals, so they add up to the whole cut however they round.
    long long used = 0, slackSoFar = 0, givenSoFar = 0;
    for (const ColumnSpan& column : columns) {
        const int wanted = std::max(column.preferred, column.minimum);
        slackSoFar += wanted - column.minimum;
        const long long given = slack > 0 ? cut * slackSoFar / slack : 0;
        widths.push_back(static_cast<int>(wanted - (given - givenSoFar)));
        givenSoFar = given;
        used += widths.back();
    }
    // The last column takes the spare room (and the pixels the shares rounded away).
    used -= widths.back();
    widths.back() = static_cast<int>(std::max<long long>(columns.back().minimum, available - used));
    return widths;
}

bool CanRestore(const WindowPlace& remembered, const std::vector<ScreenRect>& monitors, int minimumWidth,
                int minimumHeight) {
    const ScreenRect& w = remembered.window;
    if (w.right - w.left < minimumWidth || w.bottom - w.top < minimumHeight) return false;
    const auto same = std::find(monitors.begin(), monitors.end(), remembered.monitor);
    if (same == monitors.end()) return false;
    // The top edge (where the title bar is) must be on that monitor, with some width to grab.
    const long left = std::max(w.left, same->left), right = std::min(w.right, same->right);
    return w.top >= same->top && w.top < same->bottom && right - left >= 32;
}

}  // namespace vondrel
