// Tile decoding with Windows Imaging Component.
#include "bridge/image_decoder.h"

namespace vondrel::tarvix {

using Microsoft::WRL::ComPtr;

namespace {
constexpr UINT kMaxSide = 1024;  // tiles are 256 (or 512) pixels square
}

ImageDecoder::ImageDecoder() {
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory));
}

std::shared_ptr<TilePixels> ImageDecoder::Decode(const std::string& bytes) const {
    if (!factory || bytes.empty() || bytes.size() > 0x7FFFFFFF) return nullptr;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICBitmapSource> converted;
    if (FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                            static_cast<DWORD>(bytes.size()))) ||
        FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) ||
        FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.Get(), &converted))) {
        return nullptr;
    }
    UINT width = 0;
    UINT height = 0;
    if (FAILED(converted->GetSize(&width, &height)) || width == 0 || height == 0 || width > kMaxSide ||
        height > kMaxSide) {
        return nullptr;
    }
    auto pixels = std::make_shared<TilePixels>();
    pixels->width = static_cast<int>(width);
    pixels->height = static_cast<int>(height);
    pixels->bgra.resize(static_cast<std::size_t>(width) * height);
    if (FAILED(converted->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels->bgra.size() * 4),
                                     reinterpret_cast<BYTE*>(pixels->bgra.data())))) {
        return nullptr;
    }
    FlattenOnto(*pixels, 0xFFFFFF);
    return pixels;
}

}  // namespace vondrel::tarvix
