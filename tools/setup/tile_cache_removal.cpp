// The tile cache's removal, level by level: the walk has a fixed depth and enters only real
// folders with the map's names, so links, junctions and loops cannot lead it anywhere else.
#include "setup/tile_cache_removal.h"

#include <optional>

#include "bridge/tile_source.h"
#include "setup/setup_files.h"

namespace vondrel::setup {

namespace {
bool IsNumber(const std::string& text, std::size_t from, std::size_t to) {
    if (from >= to || to - from > 10) return false;
    for (std::size_t i = from; i < to; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
    }
    return true;
}

// The name in ASCII, or nothing when it has other characters (never one of the map's).
std::optional<std::string> AsciiName(const os::PathString& name) {
    std::string ascii;
    for (const auto c : name) {
        if (c <= 0 || c >= 0x7f) return std::nullopt;
        ascii += static_cast<char>(c);
    }
    return ascii;
}

struct Walk {
    CacheRemoval counts;

    // The folders of a level whose names `wanted` accepts, each handed to `inside`; then the
    // folder itself is removed when it was left empty.
    template <typename Wanted, typename Inside>
    void Level(const os::Path& folder, Wanted&& wanted, Inside&& inside) {
        for (const FolderEntry& entry : ListFolder(folder)) {
            const std::optional<std::string> name = AsciiName(entry.name);
            if (!name || !wanted(*name, entry.kind)) {
                ++counts.left;
                continue;
            }
            inside(folder / entry.name, *name, entry.kind);
        }
    }

    // A folder still holding what is left stays.
    void RemoveFolder(const os::Path& folder) {
        if (RemoveEmptyFolder(folder)) ++counts.folders;
    }

    void Layer(const os::Path& folder, const std::string& extension) {
        const auto isNumberFolder = [](const std::string& name, EntryKind kind) {
            return kind == EntryKind::kFolder && IsNumber(name, 0, name.size());
        };
        Level(folder, isNumberFolder, [&](const os::Path& z, const std::string&, EntryKind) {
            Level(z, isNumberFolder, [&](const os::Path& x, const std::string&, EntryKind) {
                const auto isTile = [&](const std::string& name, EntryKind kind) {
                    return kind == EntryKind::kFile && IsTileFileName(name, extension);
                };
                Level(x, isTile, [&](const os::Path& tile, const std::string&, EntryKind) {
                    if (RemoveFile(tile)) {
                        ++counts.files;
                    } else {
                        ++counts.left;
                    }
                });
                RemoveFolder(x);
            });
            RemoveFolder(z);
        });
        RemoveFolder(folder);
    }
};
}  // namespace

bool IsTileFileName(const std::string& name, const std::string& extension) {
    const std::size_t dot = name.find('.');
    if (dot == std::string::npos || !IsNumber(name, 0, dot)) return false;
    const std::string rest = name.substr(dot + 1);
    if (rest == extension) return true;
    const std::string temporary = extension + ".tmp";
    return rest.compare(0, temporary.size(), temporary) == 0 && IsNumber(rest, temporary.size(), rest.size());
}

CacheRemoval RemoveTileCache(const os::Path& appFolder) {
    Walk walk;
    if (KindOf(appFolder) != EntryKind::kFolder) return walk.counts;
    const os::Path tiles = appFolder / os::AsciiPathText("tiles");
    if (KindOf(tiles) == EntryKind::kFolder) {
        walk.Level(
            tiles,
            [](const std::string& name, EntryKind kind) {
                return kind == EntryKind::kFolder && tarvix::LayerFromId(name).has_value();
            },
            [&](const os::Path& layer, const std::string& name, EntryKind) {
                walk.Layer(layer, tarvix::Info(*tarvix::LayerFromId(name)).extension);
            });
        walk.RemoveFolder(tiles);
    }
    // The program's folder goes only when the cache was all it held.
    if (RemoveEmptyFolder(appFolder)) ++walk.counts.folders;
    return walk.counts;
}

}  // namespace vondrel::setup
