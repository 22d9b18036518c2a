// The mark images: read straight from the icon files beside the program where they are plain
// 32-bit images, else through the system, and added to each list in one strip.
#include "ui/mark_images.h"

#include <cstdint>
#include <string>
#include <vector>

#include "core/limits.h"
#include "editing/icon_file.h"
#include "os/file_io.h"
#include "resource.h"
#include "win/dialog.h"
#include "win/owned_handle.h"

namespace vondrel {

namespace {
constexpr int kLargeSize = 32;
constexpr int kSmallSize = 16;

// The bytes of a mark icon file ("" when it cannot be read, is no regular file or is larger
// than an icon has any reason to be: a huge file must not hold up the start).
os::FileBytes ReadIconFile(const os::Path& path) {
    os::FileBytes bytes;
    os::ReadWholeFile(path, bytes, kMaxIconFileBytes);
    return bytes;
}

// The pixels of an icon loaded at `size`, or none.
bool LoadedIconPixels(HICON loaded, int size, std::vector<std::uint32_t>& pixels) {
    const win::OwnedIcon icon(loaded);
    return win::IconPixels(icon.Get(), size, pixels);
}

}  // namespace

void MarkImages::Build(const os::Path& folder) {
    large.Create(kLargeSize, 4, 4);
    small.Create(kSmallSize, 4, 4);
    // The images are gathered into one strip per list and added in one call each: adding 110
    // icons one by one dominated the start-up time.
    std::vector<std::uint32_t> largeStrip, smallStrip, image;
    largeStrip.reserve(kMarkCount * kLargeSize * kLargeSize);
    smallStrip.reserve(kMarkCount * kSmallSize * kSmallSize);
    std::vector<std::uint32_t> defaultLarge, defaultSmall;
    auto defaults = [&](int size) -> const std::vector<std::uint32_t>& {
        std::vector<std::uint32_t>& pixels = size == kLargeSize ? defaultLarge : defaultSmall;
        if (pixels.empty()) {
            HICON icon = static_cast<HICON>(
                LoadImageW(win::ResourceModule(), MAKEINTRESOURCEW(IDI_DEFAULT_MARK), IMAGE_ICON, size, size, 0));
            if (!LoadedIconPixels(icon, size, pixels)) pixels.assign(static_cast<std::size_t>(size) * size, 0);
        }
        return pixels;
    };
    for (int n = 1; n <= kMarkCount; ++n) {
        wchar_t name[16];
        swprintf(name, 16, L"mark%02d.ico", n);
        const os::Path path = folder / name;
        const os::FileBytes file = ReadIconFile(path);
        const std::string_view bytes = file.View();
        for (int size : {kLargeSize, kSmallSize}) {
            std::vector<std::uint32_t>& strip = size == kLargeSize ? largeStrip : smallStrip;
            // Uncompressed 32-bit images are read directly; anything else goes through the system.
            bool loaded = !bytes.empty() && DecodeIconImage(bytes, size, image);
            if (!loaded && !bytes.empty()) {
                loaded = LoadedIconPixels(
                    static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE)), size,
                    image);
            }
            const std::vector<std::uint32_t>& pixels = loaded ? image : defaults(size);
            strip.insert(strip.end(), pixels.begin(), pixels.end());
        }
    }
    large.AddStrip(largeStrip, kMarkCount, kLargeSize);
    small.AddStrip(smallStrip, kMarkCount, kSmallSize);
}

}  // namespace vondrel
