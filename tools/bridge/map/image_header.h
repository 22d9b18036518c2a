// The size an image file declares in its own header, read without decoding it, so that a tile
// claiming a huge size (a small file that would decode to gigabytes) is refused before any
// decoder allocates for it. Only the tile formats are known: PNG and JPEG.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "map/tile_source.h"

namespace vondrel::tarvix {

struct DeclaredImage {
    enum class Format { kPng, kJpeg };
    Format format = Format::kPng;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// PNG: the IHDR chunk that must come first. JPEG: the one frame header (SOFn) before the first
// scan. Nothing for other bytes, a header cut short, a second frame header or a zero side.
std::optional<DeclaredImage> ReadImageHeader(std::string_view bytes);

// Decoded tiles are refused beyond this many bytes of 32-bit pixels (a high-density tile's).
inline constexpr std::uint64_t kMaxTilePixelBytes = 512 * 512 * 4;

// Whether a tile of `layer` may be decoded: exactly the layer's side both ways, within
// kMaxTilePixelBytes.
bool IsTileSize(Layer layer, std::uint32_t width, std::uint32_t height);

}  // namespace vondrel::tarvix
