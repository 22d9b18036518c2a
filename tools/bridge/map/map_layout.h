// Small pieces of the bridge window's layout, without Win32: the scale bar's length and label,
// and where the window opens beside the editor's main window.
#pragma once

#include <string>
#include <vector>

#include "map/map_view.h"

namespace vondrel::tarvix {

struct ScaleBar {
    int pixels = 0;
    std::string label;  // "500 m", "2 km"
};
// The longest round length (1, 2 or 5 times a power of ten metres) that fits in `maxPixels`.
ScaleBar ChooseScaleBar(double metresPerPixel, int maxPixels);

inline constexpr int kDefaultWindowWidth = 720;
inline constexpr int kDefaultWindowHeight = 560;
inline constexpr int kMinWindowWidth = 320;
inline constexpr int kMinWindowHeight = 240;

// Where the bridge window opens (screen pixels, outer rectangle). `remembered` (empty when
// nothing is stored) is kept when it lies on a screen (`rememberedVisible`) and not over
// `editor`; otherwise the window keeps its remembered size and opens beside `editor`, on the
// side with room for it within `workArea` (right first), shrunk to the room there if neither
// side has enough; without an editor window it opens in the middle of `workArea`.
PixelRect PlaceWindow(PixelRect remembered, bool rememberedVisible, PixelRect editor, PixelRect workArea);

bool IsEmpty(PixelRect rect);
bool Overlap(PixelRect a, PixelRect b);

// Where each point's name goes: the rectangle of each label of `sizes[i]` (width, height) for the
// point at `points[i]`, tried right of the point, then left, below and above it; the first place
// that lies within `bounds` (the plot), covers no point marker (`marker` pixels from a point's
// centre) and no label placed before it. Where none lies within `bounds`, the free places are
// tried again shifted inside it, so a name by the window's edge is shown whole. An empty
// rectangle where no place is free: the name is left out rather than hiding another.
std::vector<PixelRect> PlaceLabels(const std::vector<Pixel>& points, const std::vector<Pixel>& sizes, int marker,
                                   PixelRect bounds);

// The point under `at`: the last of `points` (drawn on top) within `radius` pixels, or -1.
int PointAt(const std::vector<Pixel>& points, Pixel at, int radius);

}  // namespace vondrel::tarvix
