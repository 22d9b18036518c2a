// Decodes a tile image (PNG or JPEG) from bytes in memory to opaque pixels with Windows Imaging
// Component. The size is checked twice before anything is decoded: as the file's header declares
// it (some decoders decode the whole image as soon as they are created) and as the decoder's
// frame reports it. One decoder per thread, on a thread where COM is initialised.
#pragma once

#include <wincodec.h>
#include <wrl/client.h>

#include <memory>
#include <string>

#include "map/tile_book.h"
#include "map/tile_source.h"

namespace vondrel::tarvix {

class ImageDecoder {
public:
    ImageDecoder();
    // The pixels, flattened onto white; null, with the reason in `problem`, when the bytes are
    // no PNG or JPEG or not of the layer's tile size.
    std::shared_ptr<TilePixels> Decode(const std::string& bytes, Layer layer, std::string& problem) const;

private:
    Microsoft::WRL::ComPtr<IWICImagingFactory> factory;
};

}  // namespace vondrel::tarvix
