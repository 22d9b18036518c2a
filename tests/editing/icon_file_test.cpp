// Reading images out of .ico bytes: the committed mark icons, the mask fallback, and malformed
// files that must be refused without reading outside the bytes.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "editing/icon_file.h"

namespace vondrel {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A one-image icon file of size x size, 32 bits, every pixel `pixel`, mask bits `maskByte`.
std::string MakeIcon(int size, std::uint32_t pixel, unsigned char maskByte) {
    std::string image;
    auto put32 = [&](std::string& out, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    auto put16 = [&](std::string& out, std::uint16_t v) {
        out.push_back(static_cast<char>(v & 0xFF));
        out.push_back(static_cast<char>(v >> 8));
    };
    put32(image, 40);
    put32(image, static_cast<std::uint32_t>(size));
    put32(image, static_cast<std::uint32_t>(2 * size));
    put16(image, 1);
    put16(image, 32);
    for (int i = 0; i < 6; ++i) put32(image, 0);
    for (int i = 0; i < size * size; ++i) put32(image, pixel);
    image.append(static_cast<std::size_t>(((size + 31) / 32) * 4 * size), static_cast<char>(maskByte));
    std::string file;
    put16(file, 0);
    put16(file, 1);
    put16(file, 1);
    file.push_back(static_cast<char>(size));
    file.push_back(static_cast<char>(size));
    file.append(2, '\0');
    put16(file, 1);
    put16(file, 32);
    put32(file, static_cast<std::uint32_t>(image.size()));
    put32(file, 22);
    return file + image;
}

TEST(IconFile, ReadsBothSizesOfTheMarkIcons) {
    const std::string bytes = ReadFile(std::string(VONDREL_SOURCE_DIR) + "/res/marks/mark07.ico");
    ASSERT_FALSE(bytes.empty());
    std::vector<std::uint32_t> large, small;
    ASSERT_TRUE(DecodeIconImage(bytes, 32, large));
    ASSERT_TRUE(DecodeIconImage(bytes, 16, small));
    EXPECT_EQ(large.size(), 32u * 32u);
    EXPECT_EQ(small.size(), 16u * 16u);
    EXPECT_EQ(large[0] >> 24, 0u) << "a round badge leaves its corner transparent";
    EXPECT_EQ(large[16 * 32 + 16] >> 24, 255u) << "and its centre opaque";
    std::vector<std::uint32_t> none;
    EXPECT_FALSE(DecodeIconImage(bytes, 48, none));
}

TEST(IconFile, AnEmptyAlphaChannelTakesTheMask) {
    std::vector<std::uint32_t> pixels;
    ASSERT_TRUE(DecodeIconImage(MakeIcon(16, 0x00123456, 0xFF), 16, pixels));
    EXPECT_EQ(pixels[0], 0u) << "mask bit set: transparent";
    ASSERT_TRUE(DecodeIconImage(MakeIcon(16, 0x00123456, 0x00), 16, pixels));
    EXPECT_EQ(pixels[0], 0xFF123456u) << "mask bit clear: opaque";
    ASSERT_TRUE(DecodeIconImage(MakeIcon(16, 0x80123456, 0xFF), 16, pixels));
    EXPECT_EQ(pixels[5], 0x80123456u) << "an alpha channel wins over the mask";
}

TEST(IconFile, MalformedFilesAreRefused) {
    const std::string good = MakeIcon(16, 0xFF000000, 0);
    std::vector<std::uint32_t> pixels;
    for (std::size_t cut = 0; cut < good.size(); cut += 7) {
        EXPECT_FALSE(DecodeIconImage(good.substr(0, cut), 16, pixels)) << "cut at " << cut;
    }
    std::string wrongDepth = good;
    wrongDepth[22 + 14] = 24;
    EXPECT_FALSE(DecodeIconImage(wrongDepth, 16, pixels));
    std::string hugeOffset = good;
    hugeOffset[18] = hugeOffset[19] = hugeOffset[20] = hugeOffset[21] = static_cast<char>(0xFF);
    EXPECT_FALSE(DecodeIconImage(hugeOffset, 16, pixels));
    EXPECT_FALSE(DecodeIconImage("", 16, pixels));
}

}  // namespace
}  // namespace vondrel
