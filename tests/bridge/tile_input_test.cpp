// What the map takes from a tile server and finds in its cache: the size an image declares
// before it is decoded, where redirects may lead, and which cache files the trim may delete
// (a tree with links, a link loop, stray names and a bounded walk).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "bridge/cache_walk.h"
#include "bridge/image_header.h"
#include "support/temp_dir.h"

namespace vondrel::tarvix {
namespace {

std::string Big32(std::uint32_t v) {
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}
std::string Png(std::uint32_t width, std::uint32_t height, const char* chunk = "IHDR") {
    return std::string("\x89PNG\r\n\x1a\n", 8) + Big32(13) + chunk + Big32(width) + Big32(height) + "\x08\x06";
}
// A segment: marker, length, payload.
std::string Segment(unsigned char marker, const std::string& payload) {
    const std::size_t length = payload.size() + 2;
    return std::string{'\xFF', static_cast<char>(marker), static_cast<char>(length >> 8), static_cast<char>(length)} + payload;
}
std::string Frame(int height, int width, unsigned char marker = 0xC0) {
    return Segment(marker, std::string{8, static_cast<char>(height >> 8), static_cast<char>(height),
                                       static_cast<char>(width >> 8), static_cast<char>(width), 1, 1, 0x11, 0});
}
const std::string kSoi = "\xFF\xD8";
const std::string kApp0 = Segment(0xE0, "JFIF");
const std::string kTables = Segment(0xC4, std::string(20, '\1'));  // a Huffman table, no frame
const std::string kScan = Segment(0xDA, std::string(8, '\0')) + "\x12\x34";

TEST(TileInput, TheDeclaredSizeIsReadBeforeDecoding) {
    const struct {
        std::string bytes;
        int width;  // 0: refused
        int height;
    } cases[] = {
        {Png(256, 256), 256, 256},
        {Png(30000, 30000), 30000, 30000},
        {Png(256, 256, "IDAT"), 0, 0},                           // no header chunk first
        {Png(256, 256).substr(0, 23), 0, 0},                     // cut short
        {Png(0, 256), 0, 0},
        {kSoi + kApp0 + kTables + Frame(256, 256) + kScan, 256, 256},
        {kSoi + "\xFF" + kApp0 + Frame(512, 512, 0xC2) + kScan, 512, 512},  // a fill byte; progressive
        {kSoi + Frame(65500, 65500) + kScan, 65500, 65500},
        {kSoi + Frame(256, 256) + Frame(65500, 65500) + kScan, 0, 0},       // two frames
        {kSoi + kApp0 + kScan + Frame(256, 256), 0, 0},                    // a scan before the frame
        {kSoi + Frame(0, 256) + kScan, 0, 0},                              // height given later
        {kSoi + Frame(256, 256) + "\xFF\xD0" + kScan, 0, 0},               // a restart marker in the header
        {kSoi + Frame(256, 256).substr(0, 8), 0, 0},
        {"GIF89a\x00\x01\x00\x01", 0, 0},
        {"", 0, 0},
    };
    for (const auto& c : cases) {
        const auto image = ReadImageHeader(c.bytes);
        EXPECT_EQ(image ? static_cast<int>(image->width) : 0, c.width) << testing::PrintToString(c.bytes);
        EXPECT_EQ(image ? static_cast<int>(image->height) : 0, c.height) << testing::PrintToString(c.bytes);
    }
    EXPECT_TRUE(IsTileSize(Layer::kStandard, 256, 256));
    EXPECT_TRUE(IsTileSize(Layer::kPhoto, 256, 256));
    for (auto [width, height] : {std::pair{512u, 512u}, {256u, 255u}, {30000u, 30000u}, {65536u, 1u}}) {
        EXPECT_FALSE(IsTileSize(Layer::kStandard, width, height)) << width << "x" << height;
    }
}

TEST(TileInput, RedirectsStayOnTheHost) {
    const char* from = "http://Tiles.Example:8080/std/5/1/2.png";
    const struct {
        const char* location;
        const char* target;  // "": not followed
    } cases[] = {
        {"/std/5/1/2.png?v=2", "http://Tiles.Example:8080/std/5/1/2.png?v=2"},
        {"https://tiles.example/std/5/1/2.png", "https://tiles.example/std/5/1/2.png"},
        {"//tiles.example:81/a.png", "http://tiles.example:81/a.png"},
        {"http://other.example/std/5/1/2.png", ""},
        {"http://tiles.example.other.example/a.png", ""},
        {"http://tiles.example@other.example/a.png", ""},
        {"ftp://tiles.example/a.png", ""},
        {"a.png", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(SameHostRedirect(from, c.location).value_or(""), c.target) << c.location;
    EXPECT_EQ(SameHostRedirect("https://t.example/a.png", "http://t.example/a.png"), std::nullopt) << "down to http";
    EXPECT_EQ(SameHostRedirect("http://[::1]:81/a", "http://[::1]:82/b").value_or(""), "http://[::1]:82/b");
}

#ifndef _WIN32  // the links are made and told apart with POSIX's symbolic links
TEST(TileInput, TheTrimTakesOnlyTheMapsTilesAndFollowsNoLink) {
    namespace fs = std::filesystem;
    test::TempDir dir;
    const fs::path root = dir.RootPath() / "tiles";
    const fs::path outside = dir.RootPath() / "user";
    for (const char* file : {"std/16/1/2.png", "std/16/1/3.jpg", "std/16/1/02.png", "std/16/1/x.png",
                             "std/16/1/5.png.tmp12", "std/16/65536/1.png", "seamlessphoto/3/7/7.jpg",
                             "seamlessphoto/3/8/0.jpg", "notes/1/1/1.png", "README.txt"}) {
        fs::create_directories((root / file).parent_path());
        test::WriteFileBytes(root / file, "tile");
    }
    fs::create_directories(outside / "5/1");
    test::WriteFileBytes(outside / "5/1/1.png", "the user's");
    fs::create_directory_symlink(outside, root / "pale");                 // a layer folder
    fs::create_directory_symlink(outside / "5", root / "std/17");         // a zoom folder
    fs::create_symlink(outside / "5/1/1.png", root / "std/16/1/4.png");  // a tile
    fs::create_directory_symlink(root / "std", root / "std/16/2");         // a loop

    std::size_t listed = 0;
    const ListFolder list = [&](const std::string& relative, std::size_t limit) {
        std::vector<FolderEntry> entries;
        for (const fs::directory_entry& entry : fs::directory_iterator(root / relative)) {
            if (entries.size() == limit) break;
            // As Windows lists them: a link to a folder is a folder too.
            entries.push_back({entry.path().filename().string(), entry.is_directory(), entry.is_symlink(),
                               entry.is_regular_file() ? entry.file_size() : 0, 0});
        }
        listed += entries.size();
        return entries;
    };
    std::vector<TileKey> found;
    for (const CachedTile& tile : CachedTiles(list, '/', kMaxCacheEntries)) found.push_back(tile.key);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<TileKey>{{Layer::kStandard, 16, 1, 2}, {Layer::kPhoto, 3, 7, 7}}));
    for (std::size_t budget : {0, 1, 5}) {
        listed = 0;
        EXPECT_LE(CachedTiles(list, '/', budget).size(), budget);
        EXPECT_LE(listed, budget);
    }
}
#endif

}  // namespace
}  // namespace vondrel::tarvix
