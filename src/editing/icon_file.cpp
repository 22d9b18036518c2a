// .ico image decoding for uncompressed 32-bit bitmaps.
#include "editing/icon_file.h"

#include <algorithm>
#include <cstring>

namespace vondrel {

namespace {
std::uint32_t Read32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}
std::uint16_t Read16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8));
}
}  // namespace

bool DecodeIconImage(std::string_view file, int size, std::vector<std::uint32_t>& pixels) {
    if (size <= 0 || size > 256 || file.size() < 6 || Read16(file, 0) != 0 || Read16(file, 2) != 1) return false;
    const std::size_t count = Read16(file, 4);
    if (file.size() < 6 + count * 16) return false;
    for (std::size_t entry = 0; entry < count; ++entry) {
        const std::size_t at = 6 + entry * 16;
        const int width = static_cast<unsigned char>(file[at]) == 0 ? 256 : static_cast<unsigned char>(file[at]);
        const int height = static_cast<unsigned char>(file[at + 1]) == 0 ? 256 : static_cast<unsigned char>(file[at + 1]);
        if (width != size || height != size) continue;
        const std::uint64_t length = Read32(file, at + 8);
        const std::uint64_t offset = Read32(file, at + 12);
        if (offset + length > file.size() || length < 40) return false;
        const std::string_view image = file.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
        // BITMAPINFOHEADER: size 40, width, height (colour and mask together), 1 plane, 32 bits, BI_RGB.
        if (Read32(image, 0) != 40 || static_cast<int>(Read32(image, 4)) != size ||
            static_cast<int>(Read32(image, 8)) != 2 * size || Read16(image, 12) != 1 || Read16(image, 14) != 32 ||
            Read32(image, 16) != 0) {
            return false;
        }
        const std::size_t pixelBytes = static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 4;
        const std::size_t maskStride = ((static_cast<std::size_t>(size) + 31) / 32) * 4;
        if (40 + pixelBytes + maskStride * static_cast<std::size_t>(size) > image.size()) return false;
        pixels.assign(static_cast<std::size_t>(size) * static_cast<std::size_t>(size), 0);
        bool anyAlpha = false;
        for (int y = 0; y < size; ++y) {
            // Rows are stored bottom-up.
            const std::size_t row = 40 + static_cast<std::size_t>(size - 1 - y) * static_cast<std::size_t>(size) * 4;
            for (int x = 0; x < size; ++x) {
                const std::uint32_t value = Read32(image, row + static_cast<std::size_t>(x) * 4);
                anyAlpha = anyAlpha || (value >> 24) != 0;
                pixels[static_cast<std::size_t>(y * size + x)] = value;
            }
        }
        if (!anyAlpha) {
            const std::size_t mask = 40 + pixelBytes;
            for (int y = 0; y < size; ++y) {
                const std::size_t row = mask + static_cast<std::size_t>(size - 1 - y) * maskStride;
                for (int x = 0; x < size; ++x) {
                    const bool transparent = (static_cast<unsigned char>(image[row + static_cast<std::size_t>(x / 8)]) >> (7 - x % 8)) & 1;
                    std::uint32_t& pixel = pixels[static_cast<std::size_t>(y * size + x)];
                    pixel = transparent ? 0 : (pixel | 0xFF000000u);
                }
            }
        }
        return true;
    }
    return false;
}

void ResampleImage(const std::uint32_t* source, int from, int to, std::uint32_t* target) {
    const double step = static_cast<double>(from) / to;
    for (int y = 0; y < to; ++y) {
        const double top = y * step, bottom = (y + 1) * step;
        for (int x = 0; x < to; ++x) {
            const double left = x * step, right = (x + 1) * step;
            double alpha = 0, red = 0, green = 0, blue = 0, area = 0;
            for (int sy = static_cast<int>(top); sy < from && sy < bottom; ++sy) {
                const double high = std::min(bottom, sy + 1.0) - std::max(top, static_cast<double>(sy));
                for (int sx = static_cast<int>(left); sx < from && sx < right; ++sx) {
                    const double w = high * (std::min(right, sx + 1.0) - std::max(left, static_cast<double>(sx)));
                    const std::uint32_t p = source[static_cast<std::size_t>(sy) * from + sx];
                    const double a = w * (p >> 24);
                    alpha += a;
                    red += a * ((p >> 16) & 0xFF);
                    green += a * ((p >> 8) & 0xFF);
                    blue += a * (p & 0xFF);
                    area += w;
                }
            }
            const auto channel = [alpha](double sum) { return static_cast<std::uint32_t>(alpha > 0 ? sum / alpha + 0.5 : 0); };
            const std::uint32_t a = area > 0 ? static_cast<std::uint32_t>(alpha / area + 0.5) : 0;
            target[static_cast<std::size_t>(y) * to + x] = (a << 24) | (channel(red) << 16) | (channel(green) << 8) | channel(blue);
        }
    }
}

}  // namespace vondrel
