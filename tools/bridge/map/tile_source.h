// Where map tiles come from and where they are kept: the map layers, a tile's key, its URL from a
// template, its place in the disk cache, and the cache's rules (freshness, trimming, retries).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace vondrel::tarvix {

enum class Layer { kStandard, kPale, kPhoto };
inline constexpr Layer kLayers[] = {Layer::kStandard, Layer::kPale, Layer::kPhoto};

struct LayerInfo {
    const char* id;         // the server's and the cache's folder name
    const char* extension;  // of the tile files
    const char* label;      // menu text, code page 932
    int side;               // of a tile, in pixels (512 for a high-density layer)
};
const LayerInfo& Info(Layer layer);
std::optional<Layer> LayerFromId(std::string_view id);

// {layer} and {ext} stand for the layer's id and file extension; TARVIX_TILE_URL may use them too.
inline constexpr const char* kDefaultUrlTemplate = "https://cyberjapandata.gsi.go.jp/xyz/{layer}/{z}/{x}/{y}.{ext}";

struct TileKey {
    Layer layer = Layer::kStandard;
    int z = 0;
    int x = 0;
    int y = 0;
    bool operator==(const TileKey& other) const {
        return layer == other.layer && z == other.z && x == other.x && y == other.y;
    }
    bool operator<(const TileKey& other) const {
        return std::tie(layer, z, x, y) < std::tie(other.layer, other.z, other.x, other.y);
    }
};

// "std/16/58210/25803", for logs.
std::string TileName(const TileKey& key);

// The template with {z} {x} {y} {layer} {ext} filled in; other text stays as it is.
std::string TileUrl(std::string_view urlTemplate, const TileKey& key);

// The tile's file below the cache folder: layer\z\x\y.ext with `separator` between the parts.
std::string CacheRelativePath(const TileKey& key, char separator);
// A tile's file while it is written: its path with this mark and the writer's number after it,
// renamed to the tile's once whole.
inline constexpr std::string_view kTemporaryMark = ".tmp";

// A cached tile older than this is fetched again (and shown meanwhile, and kept when offline).
inline constexpr std::int64_t kRefreshAfterSeconds = 30LL * 24 * 3600;
// The disk cache is trimmed to this size, the files written longest ago first.
inline constexpr std::uint64_t kCacheLimitBytes = 500ULL * 1024 * 1024;

// Times in seconds of any one epoch; a file dated in the future counts as fresh.
bool IsFresh(std::int64_t written, std::int64_t now);

struct CachedFile {
    std::uint64_t bytes = 0;
    std::int64_t written = 0;
};
// Indexes of the files to delete, oldest first, so that the rest add up to at most `limit`.
std::vector<std::size_t> ChooseEvictions(const std::vector<CachedFile>& files, std::uint64_t limit);

// How long a failed tile waits before it is asked for again: 2 s doubling with each failure in a
// row, up to 2 minutes; a tile the server says it does not have waits 10 minutes.
std::int64_t RetryDelayMs(int failures, bool notFound);

}  // namespace vondrel::tarvix
