// PNG and JPEG headers.
#include "map/image_header.h"

namespace vondrel::tarvix {

namespace {

std::uint32_t Big16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at]) << 8 | static_cast<unsigned char>(bytes[at + 1]));
}
std::uint32_t Big32(std::string_view bytes, std::size_t at) { return Big16(bytes, at) << 16 | Big16(bytes, at + 2); }

std::optional<DeclaredImage> Png(std::string_view bytes) {
    // Signature, then the IHDR chunk: length 13, type, width, height.
    if (bytes.size() < 24 || bytes.substr(0, 8) != std::string_view("\x89PNG\r\n\x1a\n", 8) || Big32(bytes, 8) != 13 ||
        bytes.substr(12, 4) != "IHDR") {
        return std::nullopt;
    }
    return DeclaredImage{DeclaredImage::Format::kPng, Big32(bytes, 16), Big32(bytes, 20)};
}

// Frame header markers: C0..CF but for DHT (C4), JPG (C8) and DAC (CC).
bool IsFrameHeader(unsigned char marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

std::optional<DeclaredImage> Jpeg(std::string_view bytes) {
    if (bytes.size() < 4 || Big16(bytes, 0) != 0xFFD8) return std::nullopt;
    std::optional<DeclaredImage> frame;
    // Segments from the start of image to the first scan: 0xFF (fill bytes may repeat it), the
    // marker, a 16-bit length that counts itself. Markers without a length (restarts, a second
    // start or an end of image) do not belong there.
    for (std::size_t at = 2; at + 1 < bytes.size();) {
        if (static_cast<unsigned char>(bytes[at]) != 0xFF) return std::nullopt;
        const auto marker = static_cast<unsigned char>(bytes[at + 1]);
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        if (marker == 0xDA) return frame;
        if ((marker >= 0xD0 && marker <= 0xD9) || marker == 0x01 || at + 3 >= bytes.size()) return std::nullopt;
        const std::uint32_t length = Big16(bytes, at + 2);
        if (length < 2 || at + 2 + length > bytes.size()) return std::nullopt;
        if (IsFrameHeader(marker)) {
            // Precision, height, width, components.
            if (frame || length < 8) return std::nullopt;
            frame = DeclaredImage{DeclaredImage::Format::kJpeg, Big16(bytes, at + 7), Big16(bytes, at + 5)};
        }
        at += 2 + length;
    }
    return std::nullopt;
}

}  // namespace

std::optional<DeclaredImage> ReadImageHeader(std::string_view bytes) {
    std::optional<DeclaredImage> image = Png(bytes);
    if (!image) image = Jpeg(bytes);
    if (!image || image->width == 0 || image->height == 0) return std::nullopt;
    return image;
}

bool IsTileSize(Layer layer, std::uint32_t width, std::uint32_t height) {
    const auto side = static_cast<std::uint32_t>(Info(layer).side);
    return width == side && height == side && std::uint64_t{width} * height * 4 <= kMaxTilePixelBytes;
}

}  // namespace vondrel::tarvix
