// MarkImages: the 55 mark icons at the two sizes the point lists show, read from mark01.ico ...
// mark55.ico beside the program (the default mark for a file that is missing, unreadable or
// over 1 MiB),
// owned for the main window's life and lent to the lists by handle.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "os/path.h"
#include "win/image_list.h"

namespace vondrel {

class MarkImages {
public:
    // Reads the icons from `folder` (the program's own, for the main window).
    void Build(const os::Path& folder);

    HIMAGELIST Large() const { return large.Handle(); }
    HIMAGELIST Small() const { return small.Handle(); }
    // A new large icon of image `index` (mark index + 1; the caller destroys it), or none.
    HICON MakeIcon(int index) const { return large.MakeIcon(index); }

private:
    win::ImageList large;
    win::ImageList small;
};

}  // namespace vondrel
