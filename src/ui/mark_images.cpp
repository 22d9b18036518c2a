// The mark images: read straight from the icon files beside the program where they are plain
// 32-bit images (on a worker thread, while the window is made), else through the system, and
// added to each list in one strip.
#include "ui/mark_images.h"

#include <algorithm>
#include <string>
#include <system_error>

#include "core/limits.h"
#include "editing/icon_file.h"
#include "editing/window_scale.h"
#include "os/file_io.h"
#include "resource.h"
#include "win/dialog.h"
#include "win/owned_handle.h"

namespace vondrel {

namespace {
constexpr int kLargeSize = 32;
constexpr int kSmallSize = 16;

os::Path MarkPath(const os::Path& folder, int mark) {
    wchar_t name[16];
    swprintf(name, 16, L"mark%02d.ico", mark + 1);
    return folder / name;
}

std::size_t Pixels(int size) { return static_cast<std::size_t>(size) * static_cast<std::size_t>(size); }

// Reads and decodes every mark file: no window or system call but the file reads, so it runs on
// any thread. A file larger than an icon has any reason to be is not read (it must not hold up
// the start).
MarkStrips ReadMarkStrips(const os::Path& folder) {
    MarkStrips strips;
    strips.large.assign(kMarkCount * Pixels(kLargeSize), 0);
    strips.small.assign(kMarkCount * Pixels(kSmallSize), 0);
    strips.decodedLarge.assign(kMarkCount, false);
    strips.decodedSmall.assign(kMarkCount, false);
    strips.readable.assign(kMarkCount, false);
    std::vector<std::uint32_t> image;
    for (int mark = 0; mark < kMarkCount; ++mark) {
        os::FileBytes file;
        os::ReadWholeFile(MarkPath(folder, mark), file, kMaxIconFileBytes);
        const std::string_view bytes = file.View();
        strips.readable[static_cast<std::size_t>(mark)] = !bytes.empty();
        if (bytes.empty()) continue;
        for (int size : {kLargeSize, kSmallSize}) {
            if (!DecodeIconImage(bytes, size, image)) continue;
            auto& strip = size == kLargeSize ? strips.large : strips.small;
            std::copy(image.begin(), image.end(), strip.begin() + static_cast<std::ptrdiff_t>(mark * Pixels(size)));
            (size == kLargeSize ? strips.decodedLarge : strips.decodedSmall)[static_cast<std::size_t>(mark)] = true;
        }
    }
    return strips;
}

// The pixels of an icon loaded at `size`, or none.
bool LoadedIconPixels(HICON loaded, int size, std::vector<std::uint32_t>& pixels) {
    const win::OwnedIcon icon(loaded);
    return win::IconPixels(icon.Get(), size, pixels);
}

}  // namespace

void MarkImages::Prefetch(const os::Path& folder) {
    readingFolder = folder;
    try {
        reading = std::async(std::launch::async, ReadMarkStrips, folder);
    } catch (const std::system_error&) {
        // No thread to be had: Build reads the files itself.
    }
}

void MarkImages::Build(const os::Path& folder, int dpi) {
    MarkStrips& strips = read;
    strips = reading.valid() && readingFolder == folder ? reading.get() : ReadMarkStrips(folder);
    large.Create(kLargeSize, 4, 4);
    small.Create(kSmallSize, 4, 4);
    // Images the reader could not decode go through the system, else the default mark.
    std::vector<std::uint32_t> defaultLarge, defaultSmall, image;
    for (int size : {kLargeSize, kSmallSize}) {
        auto& strip = size == kLargeSize ? strips.large : strips.small;
        const auto& decoded = size == kLargeSize ? strips.decodedLarge : strips.decodedSmall;
        auto& fallback = size == kLargeSize ? defaultLarge : defaultSmall;
        for (int mark = 0; mark < kMarkCount; ++mark) {
            if (decoded[static_cast<std::size_t>(mark)]) continue;
            bool loaded = strips.readable[static_cast<std::size_t>(mark)] &&
                          LoadedIconPixels(static_cast<HICON>(LoadImageW(nullptr, MarkPath(folder, mark).c_str(), IMAGE_ICON,
                                                                        size, size, LR_LOADFROMFILE)),
                                           size, image);
            if (!loaded && fallback.empty()) {
                HICON icon = static_cast<HICON>(
                    LoadImageW(win::ResourceModule(), MAKEINTRESOURCEW(IDI_DEFAULT_MARK), IMAGE_ICON, size, size, 0));
                if (!LoadedIconPixels(icon, size, fallback)) fallback.assign(Pixels(size), 0);
            }
            const std::vector<std::uint32_t>& pixels = loaded ? image : fallback;
            std::copy(pixels.begin(), pixels.end(), strip.begin() + static_cast<std::ptrdiff_t>(mark * Pixels(size)));
        }
    }
    Rescale(dpi);
}

void MarkImages::Rescale(int dpi) {
    // The file's own image where its size is the one shown (16 and 32), else its 32-pixel image
    // resampled: smooth where it shrinks, and no blurrier than need be where it grows.
    const auto strip = [this](int size) {
        if (size == kSmallSize) return read.small;
        if (size == kLargeSize) return read.large;
        std::vector<std::uint32_t> scaled(kMarkCount * Pixels(size));
        for (int mark = 0; mark < kMarkCount; ++mark) {
            ResampleImage(read.large.data() + mark * Pixels(kLargeSize), kLargeSize, size,
                          scaled.data() + mark * Pixels(size));
        }
        return scaled;
    };
    const int largeSize = ScalePixels(kLargeSize, dpi);
    const int smallSize = ScalePixels(kSmallSize, dpi);
    large.Create(largeSize, 4, 4);
    small.Create(smallSize, 4, 4);
    // Adding 110 icons one by one dominated the start-up time: one strip per list, one call each.
    large.AddStrip(strip(largeSize), kMarkCount, largeSize);
    small.AddStrip(strip(smallSize), kMarkCount, smallSize);
}

}  // namespace vondrel
