// The walk over the tile cache's own files.
#include "bridge/cache_walk.h"

#include <algorithm>
#include <optional>

namespace vondrel::tarvix {

namespace {

// A decimal number as std::to_string writes it (no sign, no leading zero), below `end`.
std::optional<int> Number(const std::string& text, std::int64_t end) {
    if (text.empty() || text.size() > 9 || (text[0] == '0' && text.size() > 1)) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value < end ? std::optional<int>(static_cast<int>(value)) : std::nullopt;
}

class Walk {
public:
    Walk(const ListFolder& list, char separator, std::size_t budget) : list(list), separator(separator), budget(budget) {}

    // The entries of `relative` that are real folders (or real files), named as `wanted` says.
    template <typename Wanted>
    void Each(const std::string& relative, bool folders, Wanted&& wanted) {
        if (budget == 0) return;
        std::vector<FolderEntry> entries = list(relative, budget);
        budget -= std::min(entries.size(), budget);
        for (const FolderEntry& entry : entries) {
            if (entry.link || entry.folder != folders || entry.name.empty()) continue;
            wanted(entry, relative.empty() ? entry.name : relative + separator + entry.name);
        }
    }

private:
    const ListFolder& list;
    char separator;
    std::size_t budget;
};

}  // namespace

std::vector<CachedTile> CachedTiles(const ListFolder& list, char separator, std::size_t maxEntries) {
    std::vector<CachedTile> tiles;
    Walk walk(list, separator, maxEntries);
    walk.Each("", true, [&](const FolderEntry& layerFolder, const std::string& layerPath) {
        const std::optional<Layer> layer = LayerFromId(layerFolder.name);
        if (!layer) return;
        const std::string extension = std::string(".") + Info(*layer).extension;
        walk.Each(layerPath, true, [&](const FolderEntry& zFolder, const std::string& zPath) {
            const std::optional<int> z = Number(zFolder.name, 31);
            if (!z) return;
            const std::int64_t count = std::int64_t{1} << *z;  // tiles along each axis
            walk.Each(zPath, true, [&](const FolderEntry& xFolder, const std::string& xPath) {
                const std::optional<int> x = Number(xFolder.name, count);
                if (!x) return;
                walk.Each(xPath, false, [&](const FolderEntry& file, const std::string&) {
                    const std::size_t dot = file.name.size() - std::min(file.name.size(), extension.size());
                    if (file.name.compare(dot, std::string::npos, extension) != 0) return;
                    if (const std::optional<int> y = Number(file.name.substr(0, dot), count)) {
                        tiles.push_back({{*layer, *z, *x, *y}, {file.bytes, file.written}});
                    }
                });
            });
        });
    });
    return tiles;
}

}  // namespace vondrel::tarvix
