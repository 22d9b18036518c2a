// Scale bar lengths and the bridge window's placement.
#include "map/map_layout.h"

#include <algorithm>
#include <cmath>

namespace vondrel::tarvix {

ScaleBar ChooseScaleBar(double metresPerPixel, int maxPixels) {
    ScaleBar best;
    if (!(metresPerPixel > 0) || maxPixels <= 0) return best;
    for (double power = 1; power <= 1e7; power *= 10) {
        for (double factor : {1.0, 2.0, 5.0}) {
            const double metres = factor * power;
            const double pixels = metres / metresPerPixel;
            if (pixels > maxPixels) return best;
            const long long whole = std::llround(metres);
            best.pixels = static_cast<int>(std::lround(pixels));
            best.label = whole >= 1000 ? std::to_string(whole / 1000) + " km" : std::to_string(whole) + " m";
        }
    }
    return best;
}

bool IsEmpty(PixelRect rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

bool Overlap(PixelRect a, PixelRect b) {
    return !IsEmpty(a) && !IsEmpty(b) && a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

PixelRect PlaceWindow(PixelRect remembered, bool rememberedVisible, PixelRect editor, PixelRect workArea) {
    if (!IsEmpty(remembered) && rememberedVisible && !Overlap(remembered, editor)) return remembered;
    const int areaWidth = std::max(workArea.right - workArea.left, kMinWindowWidth);
    const int areaHeight = std::max(workArea.bottom - workArea.top, kMinWindowHeight);
    int width = IsEmpty(remembered) ? kDefaultWindowWidth : remembered.right - remembered.left;
    int height = IsEmpty(remembered) ? kDefaultWindowHeight : remembered.bottom - remembered.top;
    width = std::clamp(width, kMinWindowWidth, areaWidth);
    height = std::clamp(height, kMinWindowHeight, areaHeight);
    const auto fitTop = [&](int top) { return std::clamp(top, workArea.top, workArea.top + areaHeight - height); };
    if (IsEmpty(editor)) {
        const int left = workArea.left + (areaWidth - width) / 2;
        const int top = workArea.top + (areaHeight - height) / 2;
        return {left, top, left + width, top + height};
    }
    const int top = fitTop(editor.top);
    const int roomRight = workArea.left + areaWidth - editor.right;
    const int roomLeft = editor.left - workArea.left;
    if (roomRight >= width) return {editor.right, top, editor.right + width, top + height};
    if (roomLeft >= width) return {editor.left - width, top, editor.left, top + height};
    // Neither side holds the whole window: the wider side, narrowed to its room while that
    // leaves a usable map; on a screen too small even for that, over the editor's far side.
    if (std::max(roomRight, roomLeft) >= kMinWindowWidth) {
        if (roomRight >= roomLeft) return {editor.right, top, editor.right + roomRight, top + height};
        return {workArea.left, top, editor.left, top + height};
    }
    const int left = workArea.left + areaWidth - width;
    return {left, top, left + width, top + height};
}

namespace {
bool Inside(PixelRect r, PixelRect bounds) {
    return r.left >= bounds.left && r.top >= bounds.top && r.right <= bounds.right && r.bottom <= bounds.bottom;
}
// `r` moved the least to lie inside `bounds` (its top-left corner when it is larger).
PixelRect ShiftInside(PixelRect r, PixelRect bounds) {
    const int dx = r.right > bounds.right ? bounds.right - r.right : 0;
    const int dy = r.bottom > bounds.bottom ? bounds.bottom - r.bottom : 0;
    r = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
    const int ex = r.left < bounds.left ? bounds.left - r.left : 0;
    const int ey = r.top < bounds.top ? bounds.top - r.top : 0;
    return {r.left + ex, r.top + ey, r.right + ex, r.bottom + ey};
}
}  // namespace

std::vector<PixelRect> PlaceLabels(const std::vector<Pixel>& points, const std::vector<Pixel>& sizes, int marker,
                                   PixelRect bounds) {
    std::vector<PixelRect> taken;
    taken.reserve(points.size() * 2);
    for (const Pixel& p : points) taken.push_back({p.x - marker, p.y - marker, p.x + marker + 1, p.y + marker + 1});
    std::vector<PixelRect> labels(points.size());
    for (std::size_t i = 0; i < points.size() && i < sizes.size(); ++i) {
        const Pixel p = points[i];
        const int w = sizes[i].x;
        const int h = sizes[i].y;
        const int gap = marker + 4;
        const PixelRect candidates[] = {
            {p.x + gap, p.y - h / 2, p.x + gap + w, p.y - h / 2 + h},
            {p.x - gap - w, p.y - h / 2, p.x - gap, p.y - h / 2 + h},
            {p.x - w / 2, p.y + gap, p.x - w / 2 + w, p.y + gap + h},
            {p.x - w / 2, p.y - gap - h, p.x - w / 2 + w, p.y - gap},
        };
        // A shifted place may come over its own point, which the others never do.
        auto free = [&](PixelRect candidate, bool shifted) {
            for (std::size_t t = 0; t < taken.size(); ++t) {
                if ((t != i || shifted) && Overlap(candidate, taken[t])) return false;
            }
            return true;
        };
        // A point outside the plot gets no label: it is not seen.
        const bool seen = p.x >= bounds.left && p.x < bounds.right && p.y >= bounds.top && p.y < bounds.bottom;
        for (int pass = 0; pass < 2 && seen && IsEmpty(labels[i]); ++pass) {
            for (PixelRect candidate : candidates) {
                if (pass == 0 && !Inside(candidate, bounds)) continue;
                if (pass == 1) candidate = ShiftInside(candidate, bounds);
                if (free(candidate, pass == 1)) {
                    labels[i] = candidate;
                    taken.push_back(candidate);
                    break;
                }
            }
        }
    }
    return labels;
}

int PointAt(const std::vector<Pixel>& points, Pixel at, int radius) {
    for (std::size_t i = points.size(); i-- > 0;) {
        const long dx = points[i].x - at.x;
        const long dy = points[i].y - at.y;
        if (dx * dx + dy * dy <= static_cast<long>(radius) * radius) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace vondrel::tarvix
