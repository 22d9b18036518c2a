// The tile cache's own files, by the names the map writes: {layer}\{z}\{x}\{y}.{ext} with the
// map's layer names and numbers as it writes them, and {y}.{ext}.tmp{writer} while a tile is
// written. The walk finds them without following a link: a folder or file that is a symbolic
// link, junction or other reparse point is neither entered nor taken, whatever it is named. It
// lists a bounded number of entries, so neither a huge folder nor a link loop can hold it. The
// map's trim and the uninstaller's removal walk the cache alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "map/tile_source.h"

namespace vondrel::tarvix {

struct FolderEntry {
    std::string name;  // ASCII; a name with other characters is handed over empty
    bool folder = false;
    bool link = false;  // a symbolic link, junction or other reparse point
    std::uint64_t bytes = 0;
    std::int64_t written = 0;
};

// Lists the folder at `relative` below the cache root (the parts joined by the walk's
// separator, "" for the root itself), at most `limit` entries.
using ListFolder = std::function<std::vector<FolderEntry>(const std::string& relative, std::size_t limit)>;

struct CachedTile {
    TileKey key;
    CachedFile file;
};

// What the walk finds, each at its path below the cache root.
class CacheVisitor {
public:
    virtual ~CacheVisitor() = default;
    virtual void Tile(const std::string& /*path*/, const CachedTile& /*tile*/) {}
    // The temporary file of a tile's write that did not finish.
    virtual void Temporary(const std::string& /*path*/) {}
    // An entry that is none of the map's (another name, a link): neither entered nor taken.
    virtual void Other(const std::string& /*path*/) {}
    // A layer, zoom or column folder, once its entries have been walked.
    virtual void Walked(const std::string& /*folder*/) {}
};

// Walks the cache, listing at most `maxEntries` entries in all.
void WalkCache(const ListFolder& list, char separator, std::size_t maxEntries, CacheVisitor& visitor);

// The cache's tiles, listing at most `maxEntries` entries in all.
std::vector<CachedTile> CachedTiles(const ListFolder& list, char separator, std::size_t maxEntries);

// Enough for a full cache of the smallest tiles.
inline constexpr std::size_t kMaxCacheEntries = 1000000;

}  // namespace vondrel::tarvix
