// Decodes a tile image (PNG, JPEG or any format Windows Imaging Component knows) from bytes in
// memory to opaque pixels. One decoder per thread, on a thread where COM is initialised.
#pragma once

#include <wincodec.h>
#include <wrl/client.h>

#include <memory>
#include <string>

#include "bridge/tile_book.h"

namespace vondrel::tarvix {

class ImageDecoder {
public:
    ImageDecoder();
    // The pixels, flattened onto white; null when the bytes are no image or one too large.
    std::shared_ptr<TilePixels> Decode(const std::string& bytes) const;

private:
    Microsoft::WRL::ComPtr<IWICImagingFactory> factory;
};

}  // namespace vondrel::tarvix
