// The point blocks of a glorie file as a scanner meets them ("<gpoi", the point's elements,
// "</gpoi>"): which blocks become points, and what a well-formed file never has, so that a
// damaged or cut file says so instead of opening silently.
#pragma once

#include "files/glorie_markers.h"

namespace vondrel {

class PointBlocks {
public:
    // What becomes of the point being read: nothing yet, a point, or a point of a damaged block,
    // by what is wrong with it first: a block cut short (it never ended, or began with no
    // "<gpoi"), one without a name, one without its latitude or longitude.
    enum class Outcome { None, Point, CutShort, Unnamed, Unplaced };

    // A marker met in the file: "<gpoi" (a block still open that held elements never ended: it
    // is a point of its own; elements before the first "<gpoi" belong to the block, as they
    // always did), "</gpoi>" (the point, or none for a block that held nothing: no blank row for
    // it), or an element that sets a field of the point being read.
    Outcome Meet(glorie::Marker marker);
    // The end of the file: a block still open that held elements is kept as what could be read.
    Outcome Finish();

    // Blocks that held nothing and became no point.
    int EmptyBlocks() const { return empty; }
    // Elements after the last block, which belong to no point.
    bool StrayElements() const { return stray; }

private:
    Outcome Start();
    Outcome Close(bool ended);

    bool open = false;     // a "<gpoi" was met and its "</gpoi>" not yet
    bool carried = false;  // the point has elements from before its "<gpoi"
    unsigned held = 0;     // one bit per marker met since the last point
    int empty = 0;
    bool stray = false;
};

// A point kept from a damaged block: its row and what is wrong with it.
struct DamagedPoint {
    int row;
    PointBlocks::Outcome damage;
};

}  // namespace vondrel
