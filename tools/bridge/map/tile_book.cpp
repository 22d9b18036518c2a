// The bridge window's memory of tiles.
#include "map/tile_book.h"

#include <algorithm>
#include <cmath>

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
    entry.resampled.reset();
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

const TilePixels* TileBook::UseAt(const TileKey& key, int side) {
    const auto entry = tiles.find(key);
    if (entry == tiles.end() || !entry->second.pixels) return nullptr;
    Entry& found = entry->second;
    found.lastUse = ++clock;
    if (found.pixels->width == side && found.pixels->height == side) return found.pixels.get();
    if (!found.resampled || found.resampled->width != side || found.resampled->height != side) {
        found.resampled = std::make_shared<const TilePixels>(Resample(*found.pixels, side, side));
    }
    return found.resampled.get();
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

namespace {

struct Share {
    int from = 0;
    std::vector<double> weights;  // of source pixels from, from + 1, ...; summing to 1
};

// For each of `to` pixels, the source pixels of `from` it covers and their shares.
std::vector<Share> Shares(int from, int to) {
    std::vector<Share> shares(static_cast<std::size_t>(to));
    const double step = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i) {
        const double begin = i * step;
        const double end = std::min((i + 1) * step, static_cast<double>(from));
        Share& share = shares[static_cast<std::size_t>(i)];
        share.from = std::min(static_cast<int>(begin), from - 1);
        for (int s = share.from; s < from && s < end; ++s) {
            share.weights.push_back((std::min<double>(s + 1, end) - std::max<double>(s, begin)) / step);
        }
    }
    return shares;
}

}  // namespace

TilePixels Resample(const TilePixels& pixels, int width, int height) {
    TilePixels out{std::max(width, 0), std::max(height, 0), {}};
    if (pixels.width <= 0 || pixels.height <= 0 || out.width == 0 || out.height == 0) return out;
    const std::vector<Share> across = Shares(pixels.width, out.width);
    const std::vector<Share> down = Shares(pixels.height, out.height);
    // Across first, into four channels of doubles, then down.
    std::vector<double> rows(static_cast<std::size_t>(out.width) * pixels.height * 4);
    for (int y = 0; y < pixels.height; ++y) {
        const std::uint32_t* source = &pixels.bgra[static_cast<std::size_t>(y) * pixels.width];
        double* row = &rows[static_cast<std::size_t>(y) * out.width * 4];
        for (int x = 0; x < out.width; ++x) {
            const Share& share = across[static_cast<std::size_t>(x)];
            for (std::size_t k = 0; k < share.weights.size(); ++k) {
                const std::uint32_t pixel = source[share.from + static_cast<int>(k)];
                for (int c = 0; c < 4; ++c) row[x * 4 + c] += share.weights[k] * ((pixel >> (8 * c)) & 0xFF);
            }
        }
    }
    out.bgra.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y) {
        const Share& share = down[static_cast<std::size_t>(y)];
        for (int x = 0; x < out.width; ++x) {
            double sum[4] = {0, 0, 0, 0};
            for (std::size_t k = 0; k < share.weights.size(); ++k) {
                const double* at = &rows[(static_cast<std::size_t>(share.from) + k) * out.width * 4 + x * 4];
                for (int c = 0; c < 4; ++c) sum[c] += share.weights[k] * at[c];
            }
            std::uint32_t pixel = 0;
            for (int c = 0; c < 4; ++c) {
                pixel |= static_cast<std::uint32_t>(std::clamp(std::lround(sum[c]), 0L, 255L)) << (8 * c);
            }
            out.bgra[static_cast<std::size_t>(y) * out.width + x] = pixel;
        }
    }
    return out;
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
