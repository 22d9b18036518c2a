// The bridge window's memory of tiles.
#include "map/tile_book.h"

#include <algorithm>

namespace vondrel::tarvix {

std::vector<TileKey> TileBook::Missing(const std::vector<TileKey>& wanted, std::int64_t nowMs) const {
    std::vector<TileKey> missing;
    for (const TileKey& key : wanted) {
        const auto entry = tiles.find(key);
        if (entry == tiles.end() || (!entry->second.pixels && entry->second.retryAt <= nowMs)) missing.push_back(key);
    }
    return missing;
}

std::int64_t TileBook::NextRetry(const std::vector<TileKey>& wanted) const {
    std::int64_t next = -1;
    for (const TileKey& key : wanted) {
        const auto entry = tiles.find(key);
        if (entry == tiles.end() || entry->second.pixels || entry->second.failures == 0) continue;
        if (next < 0 || entry->second.retryAt < next) next = entry->second.retryAt;
    }
    return next;
}

void TileBook::Loaded(const TileKey& key, std::shared_ptr<const TilePixels> pixels) {
    Entry& entry = tiles[key];
    entry.pixels = std::move(pixels);
    entry.failures = 0;
    entry.lastUse = ++clock;
    Trim();
}

void TileBook::Failed(const TileKey& key, std::int64_t nowMs, bool notFound) {
    Entry& entry = tiles[key];
    if (entry.pixels) return;  // a failed refresh keeps the tile shown
    ++entry.failures;
    entry.retryAt = nowMs + RetryDelayMs(entry.failures, notFound);
    entry.lastUse = ++clock;
    Trim();
}

const TilePixels* TileBook::Use(const TileKey& key) {
    const auto entry = tiles.find(key);
    if (entry == tiles.end() || !entry->second.pixels) return nullptr;
    entry->second.lastUse = ++clock;
    return entry->second.pixels.get();
}

std::size_t TileBook::FailedCount(const std::vector<TileKey>& wanted) const {
    return static_cast<std::size_t>(std::count_if(wanted.begin(), wanted.end(), [&](const TileKey& key) {
        const auto entry = tiles.find(key);
        return entry != tiles.end() && !entry->second.pixels && entry->second.failures > 0;
    }));
}

void TileBook::Trim() {
    while (tiles.size() > capacity) {
        const auto oldest = std::min_element(tiles.begin(), tiles.end(), [](const auto& a, const auto& b) {
            return a.second.lastUse < b.second.lastUse;
        });
        tiles.erase(oldest);
    }
}

void FlattenOnto(TilePixels& pixels, std::uint32_t background) {
    for (std::uint32_t& pixel : pixels.bgra) {
        const std::uint32_t alpha = pixel >> 24;
        if (alpha == 255) continue;
        std::uint32_t blended = 0xFF000000u;
        for (int shift : {0, 8, 16}) {
            const std::uint32_t front = (pixel >> shift) & 0xFF;
            const std::uint32_t back = (background >> shift) & 0xFF;
            blended |= ((front * alpha + back * (255 - alpha) + 127) / 255) << shift;
        }
        pixel = blended;
    }
}

}  // namespace vondrel::tarvix
