// What the bridge window knows of each tile, without Win32: decoded pixels kept in memory (the
// least recently drawn dropped beyond a capacity), failures with the time of the next try, and
// which of the tiles a view needs are still to be asked for.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "map/tile_source.h"

namespace vondrel::tarvix {

// A decoded tile: top-down rows of opaque 0xAARRGGBB pixels.
struct TilePixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> bgra;
};

class TileBook {
public:
    explicit TileBook(std::size_t capacity) : capacity(capacity) {}

    // Of `wanted` (in loading order), those without pixels whose next try is due at `nowMs`.
    std::vector<TileKey> Missing(const std::vector<TileKey>& wanted, std::int64_t nowMs) const;
    // The earliest time a tile of `wanted` is due to be tried again, or -1 if none waits.
    std::int64_t NextRetry(const std::vector<TileKey>& wanted) const;

    void Loaded(const TileKey& key, std::shared_ptr<const TilePixels> pixels);
    void Failed(const TileKey& key, std::int64_t nowMs, bool notFound);

    // The tile's pixels, or null; counts as a use for the capacity's sake.
    const TilePixels* Use(const TileKey& key);
    // The same, resampled to `side` x `side` pixels: made once and kept with the tile, so a
    // pan draws it 1:1.
    const TilePixels* UseAt(const TileKey& key, int side);
    std::size_t FailedCount(const std::vector<TileKey>& wanted) const;
    std::size_t Size() const { return tiles.size(); }

private:
    struct Entry {
        std::shared_ptr<const TilePixels> pixels;
        std::shared_ptr<const TilePixels> resampled;
        std::uint64_t lastUse = 0;
        int failures = 0;
        std::int64_t retryAt = 0;
    };
    void Trim();

    std::size_t capacity;
    std::uint64_t clock = 0;
    std::map<TileKey, Entry> tiles;
};

// `pixels` at `width` x `height`, each pixel the average of the area of `pixels` it covers
// (partly covered pixels weighted by their share), so a reduced tile keeps its thin lines and
// letters as grey rather than dropping them.
TilePixels Resample(const TilePixels& pixels, int width, int height);

// Blends every pixel's alpha onto `background` (0xRRGGBB) so the tile can be drawn opaque.
void FlattenOnto(TilePixels& pixels, std::uint32_t background);

}  // namespace vondrel::tarvix
