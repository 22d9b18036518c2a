// The tile cache's removal, by the map's own walk over its cache: it enters only real folders
// with the map's names, so links, junctions and loops cannot lead it anywhere else.
#include "setup/tile_cache_removal.h"

#include <limits>
#include <string>
#include <vector>

#include "map/cache_walk.h"
#include "setup/setup_files.h"

namespace vondrel::setup {

namespace {
constexpr char kSeparator = static_cast<char>(os::Path::preferred_separator);

// The name in ASCII, or "" when it has other characters (never one of the map's).
std::string AsciiName(const os::PathString& name) {
    std::string ascii;
    for (const auto c : name) {
        if (c <= 0 || c >= 0x7f) return {};
        ascii += static_cast<char>(c);
    }
    return ascii;
}

// A folder's entries as the walk takes them: anything but a file or a folder (a link, junction,
// device) is a link to it, which it never takes.
std::vector<tarvix::FolderEntry> Entries(const os::Path& folder) {
    std::vector<tarvix::FolderEntry> entries;
    for (const FolderEntry& entry : ListFolder(folder)) {
        tarvix::FolderEntry listed;
        listed.name = AsciiName(entry.name);
        listed.folder = entry.kind == EntryKind::kFolder;
        listed.link = entry.kind != EntryKind::kFolder && entry.kind != EntryKind::kFile;
        entries.push_back(std::move(listed));
    }
    return entries;
}

class Removal : public tarvix::CacheVisitor {
public:
    explicit Removal(const os::Path& tiles) : tiles(tiles) {}

    void Tile(const std::string& path, const tarvix::CachedTile&) override { RemoveTileFile(path); }
    void Temporary(const std::string& path) override { RemoveTileFile(path); }
    void Other(const std::string&) override { ++counts.left; }
    // A folder still holding what is left stays.
    void Walked(const std::string& folder) override { RemoveFolder(At(folder)); }

    os::Path At(const std::string& path) const { return path.empty() ? tiles : tiles / os::AsciiPathText(path); }
    void RemoveFolder(const os::Path& folder) {
        if (RemoveEmptyFolder(folder)) ++counts.folders;
    }

    CacheRemoval counts;

private:
    void RemoveTileFile(const std::string& path) {
        if (RemoveFile(At(path))) {
            ++counts.files;
        } else {
            ++counts.left;
        }
    }

    os::Path tiles;
};
}  // namespace

CacheRemoval RemoveTileCache(const os::Path& appFolder) {
    const os::Path tiles = appFolder / os::AsciiPathText("tiles");
    Removal removal(tiles);
    if (KindOf(appFolder) != EntryKind::kFolder) return removal.counts;
    if (KindOf(tiles) == EntryKind::kFolder) {
        tarvix::WalkCache([&](const std::string& relative, std::size_t) { return Entries(removal.At(relative)); },
                          kSeparator, std::numeric_limits<std::size_t>::max(), removal);
        removal.RemoveFolder(tiles);
    }
    // The program's folder goes only when the cache was all it held.
    if (RemoveEmptyFolder(appFolder)) ++removal.counts.folders;
    return removal.counts;
}

}  // namespace vondrel::setup
