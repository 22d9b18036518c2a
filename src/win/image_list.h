// ImageList: an owning, move-only image list (destroyed with the object). Lists lend it to
// controls by handle; the controls never own it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <vector>

namespace vondrel::win {

class ImageList {
public:
    ImageList() = default;
    ~ImageList() { Reset(); }
    ImageList(ImageList&& other) noexcept : handle(other.handle) { other.handle = nullptr; }
    ImageList& operator=(ImageList&& other) noexcept;
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    // A masked 32-bit list of `size` x `size` images.
    bool Create(int size, int initial, int grow);
    // Takes ownership of an existing list (e.g. a drag image).
    void Adopt(HIMAGELIST list) {
        Reset();
        handle = list;
    }
    void Reset();

    HIMAGELIST Handle() const { return handle; }
    explicit operator bool() const { return handle != nullptr; }
    int Count() const { return handle ? ImageList_GetImageCount(handle) : 0; }
    // Appends a copy of `icon` scaled to the list's size; returns its index or -1.
    int AddIcon(HICON icon) const { return handle ? ImageList_AddIcon(handle, icon) : -1; }
    // Appends `count` images at once from a strip of top-down 0xAARRGGBB pixels (straight alpha),
    // `count` images of the list's size side by side. One call instead of one per image.
    bool AddStrip(const std::vector<std::uint32_t>& pixels, int count, int size) const;
    // A new icon of image `index` (the caller destroys it), or none for an invalid index.
    HICON MakeIcon(int index) const;

private:
    HIMAGELIST handle = nullptr;
};

// The pixels (top-down 0xAARRGGBB, straight alpha) of `icon` drawn at size x size; an icon
// without an alpha channel takes its transparency from its mask.
bool IconPixels(HICON icon, int size, std::vector<std::uint32_t>& pixels);

}  // namespace vondrel::win
