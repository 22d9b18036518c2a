// MarkImages: the 55 mark icons at the two sizes the point lists show (scaled with the screen), read from mark01.ico ...
// mark55.ico beside the program (the default mark for a file that is missing, unreadable or
// over 1 MiB), owned for the main window's life and lent to the lists by handle. The files are
// read and decoded on a worker thread from Prefetch on, while the window is being created.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <future>
#include <vector>

#include "os/path.h"
#include "win/image_list.h"

namespace vondrel {

// The marks as read from their files: both strips, each image in place (zeros where a file
// gave no image of that size), and which files hold images only the system can read.
struct MarkStrips {
    std::vector<std::uint32_t> large, small;
    std::vector<bool> decodedLarge, decodedSmall;  // per mark: the image came from the file
    std::vector<bool> readable;                    // per mark: the file's bytes were read
};

class MarkImages {
public:
    // Starts reading the icon files in `folder` on a worker thread.
    void Prefetch(const os::Path& folder);
    // Makes the image lists from the files Prefetch read (reading them now without Prefetch),
    // at the size a window drawn at `dpi` shows: 16 and 32 pixels at 96 DPI.
    void Build(const os::Path& folder, int dpi = 96);
    // The image lists made anew for `dpi` from the images already read.
    void Rescale(int dpi);

    HIMAGELIST Large() const { return large.Handle(); }
    HIMAGELIST Small() const { return small.Handle(); }
    // A new large icon of image `index` (mark index + 1; the caller destroys it), or none.
    HICON MakeIcon(int index) const { return large.MakeIcon(index); }

private:
    std::future<MarkStrips> reading;
    os::Path readingFolder;
    MarkStrips read;  // every mark at 32 and 16 pixels, complete once built
    win::ImageList large;
    win::ImageList small;
};

}  // namespace vondrel
