// Image list ownership.
#include "win/image_list.h"

#include "win/owned_handle.h"

namespace vondrel::win {

ImageList& ImageList::operator=(ImageList&& other) noexcept {
    if (this != &other) {
        Reset();
        handle = other.handle;
        other.handle = nullptr;
    }
    return *this;
}

bool ImageList::Create(int size, int initial, int grow) {
    Reset();
    handle = ImageList_Create(size, size, ILC_MASK | ILC_COLOR32, initial, grow);
    return handle != nullptr;
}

void ImageList::Reset() {
    if (handle) ImageList_Destroy(handle);
    handle = nullptr;
}

bool ImageList::AddStrip(const std::vector<std::uint32_t>& pixels, int count, int size) const {
    if (!handle || count <= 0 || pixels.size() != static_cast<std::size_t>(count) * size * size) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size * count;
    info.bmiHeader.biHeight = -size;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const GdiObject<HBITMAP> image(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!image) return false;
    // The mask: 1 where the image is transparent, rows padded to 16 bits as monochrome bitmaps want.
    const int maskStride = ((size * count + 15) / 16) * 2;
    std::vector<BYTE> maskBits(static_cast<std::size_t>(maskStride) * size, 0);
    auto* out = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < size; ++y) {
        for (int i = 0; i < count; ++i) {
            for (int x = 0; x < size; ++x) {
                const std::uint32_t pixel = pixels[(static_cast<std::size_t>(i) * size + y) * size + x];
                const int column = i * size + x;
                out[static_cast<std::size_t>(y) * size * count + column] = pixel;
                if ((pixel >> 24) == 0) maskBits[static_cast<std::size_t>(y) * maskStride + column / 8] |= static_cast<BYTE>(0x80 >> (column % 8));
            }
        }
    }
    const GdiObject<HBITMAP> mask(CreateBitmap(size * count, size, 1, 1, maskBits.data()));
    return ImageList_Add(handle, image.Get(), mask.Get()) >= 0;
}

bool IconPixels(HICON icon, int size, std::vector<std::uint32_t>& pixels) {
    if (!icon) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const MemoryDC memory(CreateCompatibleDC(nullptr));
    HDC dc = memory.Get();
    void* colorBits = nullptr;
    void* maskBits = nullptr;
    const GdiObject<HBITMAP> color(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &colorBits, nullptr, 0));
    const GdiObject<HBITMAP> mask(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &maskBits, nullptr, 0));
    bool done = false;
    if (color && mask) {
        HGDIOBJ old = SelectObject(dc, color.Get());
        DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_IMAGE);
        SelectObject(dc, mask.Get());
        DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_MASK);
        SelectObject(dc, old);
        GdiFlush();
        const auto* colors = static_cast<const std::uint32_t*>(colorBits);
        const auto* masks = static_cast<const std::uint32_t*>(maskBits);
        const std::size_t total = static_cast<std::size_t>(size) * size;
        pixels.assign(colors, colors + total);
        bool anyAlpha = false;
        for (std::uint32_t pixel : pixels) anyAlpha = anyAlpha || (pixel >> 24) != 0;
        if (!anyAlpha) {
            for (std::size_t i = 0; i < total; ++i) pixels[i] = (masks[i] & 0xFFFFFF) ? 0 : (pixels[i] | 0xFF000000u);
        }
        done = true;
    }
    return done;
}

HICON ImageList::MakeIcon(int index) const {
    if (!handle || index < 0 || index >= Count()) return nullptr;
    return ImageList_GetIcon(handle, index, ILD_NORMAL);
}

}  // namespace vondrel::win
