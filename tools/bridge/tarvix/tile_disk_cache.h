// The tile cache on disk: {root}\{layer}\{z}\{x}\{y}.png|.jpg, read and written by the fetch
// threads (a file appears whole, by renaming a finished temporary file), and trimmed to a size
// limit by deleting the tiles written longest ago (only those, never through a link).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "map/tile_source.h"

namespace vondrel::tarvix {

// TARVIX_TILE_CACHE when set, else %LOCALAPPDATA%\Vondrel\tiles.
std::wstring DefaultCacheRoot();

// The current time in seconds since 1601, the file times' epoch.
std::int64_t NowSeconds();

class TileDiskCache {
public:
    explicit TileDiskCache(std::wstring root) : root(std::move(root)) {}

    struct Entry {
        std::string bytes;
        std::int64_t written = 0;  // seconds since 1601
    };
    std::optional<Entry> Read(const TileKey& key) const;
    // Creates the folders as needed; false when the file could not be written.
    bool Write(const TileKey& key, const std::string& bytes) const;
    void Remove(const TileKey& key) const;
    // Deletes the oldest tiles (map/cache_walk.h) until the rest take at most `limit` bytes; returns
    // the bytes freed.
    std::uint64_t Trim(std::uint64_t limit) const;

private:
    std::wstring PathOf(const TileKey& key) const;

    std::wstring root;
};

}  // namespace vondrel::tarvix
