// Tile decoding with Windows Imaging Component.
#include "tarvix/image_decoder.h"

#include "map/image_header.h"

namespace vondrel::tarvix {

using Microsoft::WRL::ComPtr;

namespace {
std::string SizeText(UINT width, UINT height) {
    return "image of " + std::to_string(width) + "x" + std::to_string(height) + " pixels";
}
}  // namespace

ImageDecoder::ImageDecoder() {
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory));
}

std::shared_ptr<TilePixels> ImageDecoder::Decode(const std::string& bytes, Layer layer, std::string& problem) const {
    problem = "not an image";
    const std::optional<DeclaredImage> header = ReadImageHeader(bytes);
    if (!factory || !header || bytes.size() > 0x7FFFFFFF) return nullptr;
    if (!IsTileSize(layer, header->width, header->height)) {
        problem = SizeText(header->width, header->height);
        return nullptr;
    }
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    GUID container{};
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                            static_cast<DWORD>(bytes.size()))) ||
        FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetContainerFormat(&container)) ||
        container != (header->format == DeclaredImage::Format::kPng ? GUID_ContainerFormatPng : GUID_ContainerFormatJpeg) ||
        FAILED(decoder->GetFrame(0, &frame))) {
        return nullptr;
    }
    // The frame's own size, before a pixel is decoded: the one read from the header, or nothing.
    UINT width = 0;
    UINT height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || width != header->width || height != header->height) {
        problem = SizeText(width, height);
        return nullptr;
    }
    ComPtr<IWICBitmapSource> converted;
    if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.Get(), &converted))) return nullptr;
    auto pixels = std::make_shared<TilePixels>();
    pixels->width = static_cast<int>(width);
    pixels->height = static_cast<int>(height);
    pixels->bgra.resize(static_cast<std::size_t>(width) * height);  // at most kMaxTilePixelBytes
    if (FAILED(converted->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels->bgra.size() * 4),
                                     reinterpret_cast<BYTE*>(pixels->bgra.data())))) {
        return nullptr;
    }
    FlattenOnto(*pixels, 0xFFFFFF);
    problem.clear();
    return pixels;
}

}  // namespace vondrel::tarvix
