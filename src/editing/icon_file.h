// Reading an image straight out of an .ico file's bytes, so the 55 mark icons load without a
// system icon object per image. Only uncompressed 32-bit images are read here; others are left
// to the system. Portable.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace vondrel {

// The size x size image of `file` as top-down pixels 0xAARRGGBB (straight alpha). Returns false
// when the file has no such image stored as an uncompressed 32-bit bitmap, or is malformed.
// An image whose alpha channel is empty takes its transparency from the file's mask.
bool DecodeIconImage(std::string_view file, int size, std::vector<std::uint32_t>& pixels);

// The from x from image `source` (0xAARRGGBB, straight alpha) resampled to to x to pixels into
// `target`: each target pixel the area-weighted mean of the source pixels it covers, colours
// weighted by their alpha so transparent pixels lend the edges no colour.
void ResampleImage(const std::uint32_t* source, int from, int to, std::uint32_t* target);

}  // namespace vondrel
