// Map layers, tile URLs and cache paths, and the disk cache's rules.
#include "map/tile_source.h"

#include <algorithm>
#include <numeric>

namespace vondrel::tarvix {

namespace {
constexpr LayerInfo kInfo[] = {
    {"std", "png", "標準地図", 256},
    {"pale", "png", "淡色地図", 256},
    {"seamlessphoto", "jpg", "写真", 256},
};
}  // namespace

const LayerInfo& Info(Layer layer) { return kInfo[static_cast<int>(layer)]; }

std::optional<Layer> LayerFromId(std::string_view id) {
    for (Layer layer : kLayers) {
        if (id == Info(layer).id) return layer;
    }
    return std::nullopt;
}

std::string TileName(const TileKey& key) {
    return std::string(Info(key.layer).id) + "/" + std::to_string(key.z) + "/" + std::to_string(key.x) + "/" +
           std::to_string(key.y);
}

std::string TileUrl(std::string_view urlTemplate, const TileKey& key) {
    const std::pair<std::string_view, std::string> fields[] = {
        {"{z}", std::to_string(key.z)},     {"{x}", std::to_string(key.x)},
        {"{y}", std::to_string(key.y)},     {"{layer}", Info(key.layer).id},
        {"{ext}", Info(key.layer).extension},
    };
    std::string url;
    for (std::size_t i = 0; i < urlTemplate.size();) {
        const auto field = std::find_if(std::begin(fields), std::end(fields), [&](const auto& f) {
            return urlTemplate.compare(i, f.first.size(), f.first) == 0;
        });
        if (field == std::end(fields)) {
            url += urlTemplate[i++];
        } else {
            url += field->second;
            i += field->first.size();
        }
    }
    return url;
}

std::string CacheRelativePath(const TileKey& key, char separator) {
    const std::string sep(1, separator);
    return std::string(Info(key.layer).id) + sep + std::to_string(key.z) + sep + std::to_string(key.x) + sep +
           std::to_string(key.y) + "." + Info(key.layer).extension;
}

bool IsFresh(std::int64_t written, std::int64_t now) { return now - written < kRefreshAfterSeconds; }

std::vector<std::size_t> ChooseEvictions(const std::vector<CachedFile>& files, std::uint64_t limit) {
    std::uint64_t total = 0;
    for (const CachedFile& file : files) total += file.bytes;
    std::vector<std::size_t> order(files.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return files[a].written < files[b].written; });
    std::vector<std::size_t> evicted;
    for (std::size_t index : order) {
        if (total <= limit) break;
        total -= files[index].bytes;
        evicted.push_back(index);
    }
    return evicted;
}

std::int64_t RetryDelayMs(int failures, bool notFound) {
    if (notFound) return 10 * 60 * 1000;
    const int doublings = std::clamp(failures - 1, 0, 6);
    return std::min<std::int64_t>(2000LL << doublings, 120000);
}

}  // namespace vondrel::tarvix
