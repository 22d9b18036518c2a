// What the map takes from a tile server and its cache: an image's declared size, where redirects
// lead, and which cache files the trim may delete (links, a loop, stray names, a bounded walk).
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "map/cache_walk.h"
#include "map/image_header.h"
#include "net/url.h"
#include "support/temp_dir.h"

namespace vondrel::tarvix {
namespace {

std::string Big(std::size_t value, int bytes) {  // most significant byte first
    std::string text;
    for (int i = bytes - 1; i >= 0; --i) text += static_cast<char>(value >> (8 * i));
    return text;
}
std::string Png(std::uint32_t width, std::uint32_t height, const char* chunk = "IHDR") {
    return std::string("\x89PNG\r\n\x1a\n", 8) + Big(13, 4) + chunk + Big(width, 4) + Big(height, 4) + "\x08\x06";
}
std::string Segment(int marker, const std::string& payload) {
    return "\xFF" + Big(marker, 1) + Big(payload.size() + 2, 2) + payload;
}
std::string Frame(int height, int width, int marker = 0xC0) {
    return Segment(marker, "\x08" + Big(height, 2) + Big(width, 2) + "\x01\x01\x11" + Big(0, 1));
}
const std::string kSoi = "\xFF\xD8";
const std::string kApp0 = Segment(0xE0, "JFIF");
const std::string kTables = Segment(0xC4, std::string(20, '\1'));  // a table, not a frame
const std::string kScan = Segment(0xDA, std::string(8, '\0')) + "\x12\x34";

TEST(TileInput, TheDeclaredSizeIsReadBeforeDecoding) {
    const std::pair<std::string, const char*> cases[] = {
        {Png(256, 256), "256x256"}, {Png(30000, 30000), "30000x30000"},
        {Png(256, 256, "IDAT"), ""},                                  // no header chunk first
        {kSoi + kApp0 + kTables + Frame(256, 256) + kScan, "256x256"},
        {kSoi + "\xFF" + kApp0 + Frame(512, 512, 0xC2) + kScan, "512x512"},  // a fill byte; progressive
        {kSoi + Frame(65500, 65500) + kScan, "65500x65500"},
        {kSoi + Frame(256, 256) + Frame(65500, 65500) + kScan, ""},   // two frames
        {kSoi + kApp0 + kScan + Frame(256, 256), ""},                // a scan before the frame
        {kSoi + Frame(0, 256) + kScan, ""},                          // the height given after the scan
        {"GIF89a\x00\x01\x00\x01", ""},
    };
    for (const auto& [bytes, size] : cases) {
        const auto image = ReadImageHeader(bytes);
        EXPECT_EQ(image ? std::to_string(image->width) + "x" + std::to_string(image->height) : "", size) << size;
    }
    EXPECT_TRUE(IsTileSize(Layer::kPhoto, 256, 256));
    for (auto [width, height] : {std::pair{512u, 512u}, {256u, 255u}, {65536u, 1u}}) EXPECT_FALSE(IsTileSize(Layer::kStandard, width, height));
}

TEST(TileInput, RedirectsStayOnTheHost) {
    const std::pair<const char*, const char*> cases[] = {
        {"/a.png?v=2", "http://T.example:81/a.png?v=2"}, {"//t.example/a.png", "http://t.example/a.png"},
        {"https://t.example/a.png", "https://t.example/a.png"}, {"http://t.example.other/a.png", ""},
        {"http://t.example@other/a.png", ""}, {"a.png", ""}};
    for (const auto& [location, target] : cases) EXPECT_EQ(net::SameHostRedirect("http://T.example:81/b", location).value_or(""), target);
    EXPECT_EQ(net::SameHostRedirect("https://t.example/a.png", "http://t.example/a.png"), std::nullopt) << "down to http";
}

#ifndef _WIN32  // the links are made and told apart with POSIX's symbolic links
TEST(TileInput, TheTrimTakesOnlyTheMapsTilesAndFollowsNoLink) {
    namespace fs = std::filesystem;
    test::TempDir dir;
    const fs::path root = dir.RootPath() / "tiles";
    const fs::path outside = dir.RootPath() / "user";
    for (const char* file : {"std/16/1/2.png", "std/16/1/3.jpg", "std/16/1/02.png", "std/16/1/x.png",
                             "std/16/1/5.png.tmp12", "std/16/65536/1.png", "seamlessphoto/3/7/7.jpg",
                             "seamlessphoto/3/8/0.jpg", "notes/1/1/1.png", "README.txt", "../user/5/1/1.png"}) {
        fs::create_directories((root / file).parent_path());
        test::WriteFileBytes(root / file, "tile");
    }
    fs::create_directory_symlink(outside, root / "pale");                 // a layer folder
    fs::create_directory_symlink(outside / "5", root / "std/17");         // a zoom folder
    fs::create_symlink(outside / "5/1/1.png", root / "std/16/1/4.png");  // a tile
    fs::create_directory_symlink(root / "std", root / "std/16/2");         // a loop

    std::size_t listed = 0;
    const ListFolder list = [&](const std::string& relative, std::size_t limit) {
        std::vector<FolderEntry> entries;  // as Windows lists them: a link to a folder is a folder too
        for (const fs::directory_entry& entry : fs::directory_iterator(root / relative)) {
            if (entries.size() == limit) break;
            entries.push_back({entry.path().filename().string(), entry.is_directory(), entry.is_symlink(), 4, 0});
        }
        listed += entries.size();
        return entries;
    };
    std::set<TileKey> found;
    for (const CachedTile& tile : CachedTiles(list, '/', kMaxCacheEntries)) found.insert(tile.key);
    EXPECT_EQ(found, (std::set<TileKey>{{Layer::kStandard, 16, 1, 2}, {Layer::kPhoto, 3, 7, 7}}));
    listed = 0;
    CachedTiles(list, '/', 5);
    EXPECT_LE(listed, 5u) << "the walk's bound";
}
#endif

}  // namespace
}  // namespace vondrel::tarvix
