// Which files of the tile cache the map may delete when it trims: only the tiles it writes,
// {layer}\{z}\{x}\{y}.{ext} with the map's own layer names and numbers as it writes them,
// found without following a link: a folder or file that is a symbolic link, junction or other
// reparse point is neither entered nor taken, whatever it is named. The walk lists a bounded
// number of entries, so neither a huge folder nor a link loop can hold it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bridge/tile_source.h"

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

// The cache's tiles, listing at most `maxEntries` entries in all.
std::vector<CachedTile> CachedTiles(const ListFolder& list, char separator, std::size_t maxEntries);

// Enough for a full cache of the smallest tiles.
inline constexpr std::size_t kMaxCacheEntries = 1000000;

}  // namespace vondrel::tarvix
