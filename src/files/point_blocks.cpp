// Point blocks and their damage.
#include "files/point_blocks.h"

namespace vondrel {

namespace {
constexpr unsigned Bit(glorie::Marker marker) { return 1u << marker; }
}  // namespace

PointBlocks::Outcome PointBlocks::Start() {
    Outcome outcome = Outcome::None;
    if (open) {
        outcome = Close(false);
    } else if (held != 0) {
        carried = true;
    }
    open = true;
    return outcome;
}

PointBlocks::Outcome PointBlocks::Meet(glorie::Marker marker) {
    if (marker == glorie::kGpoiStart) return Start();
    if (marker == glorie::kGpoiEnd) return Close(true);
    held |= Bit(marker);
    return Outcome::None;
}

PointBlocks::Outcome PointBlocks::Finish() {
    if (open) return Close(false);
    stray = stray || held != 0;
    held = 0;
    return Outcome::None;
}

PointBlocks::Outcome PointBlocks::Close(bool ended) {
    Outcome outcome = Outcome::Point;
    if (held == 0) {
        outcome = Outcome::None;
        ++empty;
    } else if (!open || !ended || carried) {
        outcome = Outcome::CutShort;
    } else if (!(held & Bit(glorie::kName))) {
        outcome = Outcome::Unnamed;
    } else if (!(held & Bit(glorie::kLat)) || !(held & Bit(glorie::kLon))) {
        outcome = Outcome::Unplaced;
    }
    open = carried = false;
    held = 0;
    return outcome;
}

}  // namespace vondrel
