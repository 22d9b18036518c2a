// The tile cache's files.
#include "tarvix/tile_disk_cache.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "map/cache_walk.h"
#include "os/win32_owned.h"

namespace vondrel::tarvix {

namespace {

constexpr std::uint64_t kMaxTileBytes = 8 * 1024 * 1024;

std::wstring Environment(const wchar_t* name) {
    std::wstring value(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetEnvironmentVariableW(name, &value[0], static_cast<DWORD>(value.size()));
        if (length == 0) return {};
        if (length < value.size()) return value.substr(0, length);
        value.resize(length);
    }
}

std::int64_t Seconds(FILETIME time) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime) /
                                     10000000);
}

// One folder's entries for the trim's walk. Every entry counts toward the limit, even those the
// walk has no use for.
std::vector<FolderEntry> FolderEntries(const std::wstring& folder, std::size_t limit) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAW found;
    const os::FileSearch search(FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found,
                                                 FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!search) return entries;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        FolderEntry entry;
        if (std::all_of(name.begin(), name.end(), [](wchar_t c) { return c > 0 && c < 0x80; })) {
            entry.name.assign(name.begin(), name.end());
        }
        entry.folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        entry.bytes = static_cast<std::uint64_t>(found.nFileSizeHigh) << 32 | found.nFileSizeLow;
        entry.written = Seconds(found.ftLastWriteTime);
        entries.push_back(std::move(entry));
    } while (entries.size() < limit && FindNextFileW(search.Get(), &found));
    return entries;
}

}  // namespace

std::wstring DefaultCacheRoot() {
    std::wstring root = Environment(L"TARVIX_TILE_CACHE");
    if (!root.empty()) return root;
    root = Environment(L"LOCALAPPDATA");
    return root.empty() ? std::wstring() : root + L"\\Vondrel\\tiles";
}

std::int64_t NowSeconds() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return Seconds(now);
}

std::wstring TileDiskCache::PathOf(const TileKey& key) const {
    const std::string relative = CacheRelativePath(key, '\\');  // ASCII
    return root + L"\\" + std::wstring(relative.begin(), relative.end());
}

std::optional<TileDiskCache::Entry> TileDiskCache::Read(const TileKey& key) const {
    if (root.empty()) return std::nullopt;
    const os::FileHandle file(CreateFileW(PathOf(key).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file.Get(), &info) || info.nFileSizeHigh != 0 || info.nFileSizeLow > kMaxTileBytes) {
        return std::nullopt;
    }
    Entry entry;
    entry.written = Seconds(info.ftLastWriteTime);
    entry.bytes.resize(info.nFileSizeLow);
    DWORD read = 0;
    if (!entry.bytes.empty() &&
        (!ReadFile(file.Get(), &entry.bytes[0], info.nFileSizeLow, &read, nullptr) || read != info.nFileSizeLow)) {
        return std::nullopt;
    }
    return entry;
}

bool TileDiskCache::Write(const TileKey& key, const std::string& bytes) const {
    if (root.empty()) return false;
    const std::wstring path = PathOf(key);
    // Every folder on the way, the root's own parents included (a drive or share fails harmlessly).
    for (std::size_t at = path.find(L'\\'); at != std::wstring::npos;
         at = path.find(L'\\', at + 1)) {
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    }
    const std::wstring temporary =
        path + std::wstring(kTemporaryMark.begin(), kTemporaryMark.end()) + std::to_wstring(GetCurrentThreadId());
    {
        os::FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr));
        if (!file) return false;
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size()) {
            file.Reset();
            DeleteFileW(temporary.c_str());
            return false;
        }
    }
    if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

void TileDiskCache::Remove(const TileKey& key) const {
    if (!root.empty()) DeleteFileW(PathOf(key).c_str());
}

std::uint64_t TileDiskCache::Trim(std::uint64_t limit) const {
    if (root.empty()) return 0;
    const std::vector<CachedTile> tiles = CachedTiles(
        [&](const std::string& relative, std::size_t most) {
            return FolderEntries(relative.empty() ? root : root + L"\\" + std::wstring(relative.begin(), relative.end()), most);
        },
        '\\', kMaxCacheEntries);
    std::vector<CachedFile> files;
    for (const CachedTile& tile : tiles) files.push_back(tile.file);
    std::uint64_t freed = 0;
    for (std::size_t index : ChooseEvictions(files, limit)) {
        if (DeleteFileW(PathOf(tiles[index].key).c_str())) freed += files[index].bytes;
    }
    return freed;
}

}  // namespace vondrel::tarvix
