// libFuzzer target for the mark icon reader: any bytes as an .ico file, at the list sizes and
// at one chosen by the input; an image read has exactly size x size pixels.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "editing/icon_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    std::vector<std::uint32_t> pixels;
    for (int iconSize : {16, 32, size > 0 ? static_cast<int>(data[size - 1]) + 1 : 48}) {
        if (vondrel::DecodeIconImage(file, iconSize, pixels) && pixels.size() != static_cast<std::size_t>(iconSize * iconSize)) {
            std::fprintf(stderr, "invariant broken: %zu pixels for size %d\n", pixels.size(), iconSize);
            std::abort();
        }
    }
    return 0;
}
