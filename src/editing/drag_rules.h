// Where a row dragged in the main list lands.
#pragma once

namespace vondrel {

// The destination index for a drop: the row after the last highlighted one when the pointer is
// on no row below the list's top edge (the empty area, or outside left/right/below), else the
// last highlighted row itself.
inline int DropDestination(int hitRow, int dropTarget, int pointerY) {
    return (hitRow < 0 && pointerY > 0) ? dropTarget + 1 : dropTarget;
}

// True when moving the row at `from` to before `to` changes nothing.
inline bool MoveChangesNothing(int from, int to) { return to == from || to == from + 1; }

}  // namespace vondrel
