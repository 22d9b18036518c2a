// The walk over the tile cache's own files.
#include "map/cache_walk.h"

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

// A writer's number after the temporary mark: decimal digits (a thread id has at most ten).
bool IsWriterNumber(const std::string& text) {
    return !text.empty() && text.size() <= 10 && std::all_of(text.begin(), text.end(), [](char c) {
        return c >= '0' && c <= '9';
    });
}

class Walk {
public:
    Walk(const ListFolder& list, char separator, std::size_t budget, CacheVisitor& visitor)
        : list(list), separator(separator), budget(budget), visitor(visitor) {}

    // The entries of `relative` that are real folders (or real files) that `wanted` takes (it is
    // handed the entry and its path and says whether the entry is the map's); every other entry
    // goes to the visitor as another's, and each folder taken is reported once walked.
    template <typename Wanted>
    void Each(const std::string& relative, bool folders, Wanted&& wanted) {
        if (budget == 0) return;
        std::vector<FolderEntry> entries = list(relative, budget);
        budget -= std::min(entries.size(), budget);
        for (const FolderEntry& entry : entries) {
            const std::string path = relative.empty() ? entry.name : relative + separator + entry.name;
            if (entry.link || entry.folder != folders || entry.name.empty() || !wanted(entry, path)) {
                visitor.Other(path);
            } else if (folders) {
                visitor.Walked(path);
            }
        }
    }

    // A column folder's files: tiles {y}{extension} and their temporary files.
    void Files(const std::string& xPath, const TileKey& column, const std::string& extension) {
        const std::int64_t count = std::int64_t{1} << column.z;
        Each(xPath, false, [&](const FolderEntry& file, const std::string& path) {
            const std::size_t end = file.name.find(extension);
            if (end == std::string::npos) return false;
            const std::optional<int> y = Number(file.name.substr(0, end), count);
            const std::string rest = file.name.substr(end + extension.size());
            if (!y) return false;
            if (rest.empty()) {
                visitor.Tile(path, {{column.layer, column.z, column.x, *y}, {file.bytes, file.written}});
                return true;
            }
            if (rest.compare(0, kTemporaryMark.size(), kTemporaryMark) != 0 ||
                !IsWriterNumber(rest.substr(kTemporaryMark.size()))) {
                return false;
            }
            visitor.Temporary(path);
            return true;
        });
    }

private:
    const ListFolder& list;
    char separator;
    std::size_t budget;
    CacheVisitor& visitor;
};

class TileList : public CacheVisitor {
public:
    void Tile(const std::string&, const CachedTile& tile) override { tiles.push_back(tile); }

    std::vector<CachedTile> tiles;
};

}  // namespace

void WalkCache(const ListFolder& list, char separator, std::size_t maxEntries, CacheVisitor& visitor) {
    Walk walk(list, separator, maxEntries, visitor);
    walk.Each("", true, [&](const FolderEntry& layerFolder, const std::string& layerPath) {
        const std::optional<Layer> layer = LayerFromId(layerFolder.name);
        if (!layer) return false;
        const std::string extension = std::string(".") + Info(*layer).extension;
        walk.Each(layerPath, true, [&](const FolderEntry& zFolder, const std::string& zPath) {
            const std::optional<int> z = Number(zFolder.name, 31);
            if (!z) return false;
            const std::int64_t count = std::int64_t{1} << *z;  // tiles along each axis
            walk.Each(zPath, true, [&](const FolderEntry& xFolder, const std::string& xPath) {
                const std::optional<int> x = Number(xFolder.name, count);
                if (x) walk.Files(xPath, {*layer, *z, *x, 0}, extension);
                return x.has_value();
            });
            return true;
        });
        return true;
    });
}

std::vector<CachedTile> CachedTiles(const ListFolder& list, char separator, std::size_t maxEntries) {
    TileList found;
    WalkCache(list, separator, maxEntries, found);
    return std::move(found.tiles);
}

}  // namespace vondrel::tarvix
