// The mark images: read straight from the icon files where they are plain 32-bit images, else
// through the system, and added to each list in one strip.
#include "ui/mark_images.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/limits.h"
#include "editing/icon_file.h"
#include "resource.h"
#include "win/dialog.h"
#include "win/owned_handle.h"

namespace vondrel {

namespace {
constexpr int kLargeSize = 32;
constexpr int kSmallSize = 16;

// The bytes of a small file ("" when it cannot be read), by a wide path: the current directory
// may hold characters that code page 932 cannot write.
std::string ReadSmallFile(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in) return std::string();
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The pixels of an icon loaded at `size`, or none.
bool LoadedIconPixels(HICON loaded, int size, std::vector<std::uint32_t>& pixels) {
    const win::OwnedIcon icon(loaded);
    return win::IconPixels(icon.Get(), size, pixels);
}

// The working folder with a trailing separator.
std::wstring CurrentFolder() {
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), &folder[0]));
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    return folder;
}
}  // namespace

void MarkImages::Build() {
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
    // The files are looked up in the current directory only (a bare name could be searched elsewhere).
    const std::wstring folder = CurrentFolder();
    for (int n = 1; n <= kMarkCount; ++n) {
        wchar_t name[16];
        swprintf(name, 16, L"mark%02d.ico", n);
        const std::wstring path = folder + name;
        const std::string bytes = ReadSmallFile(path);
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
