// The setup helper's folder access on Windows: a reparse point (symbolic link, junction, mount
// point) is never entered, whatever it points to.
#include <windows.h>

#include "os/win32_owned.h"
#include "setup/setup_files.h"

namespace vondrel::setup {

namespace {
EntryKind KindOfAttributes(DWORD attributes) {
    if (attributes == INVALID_FILE_ATTRIBUTES) return EntryKind::kNone;
    if (attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) return EntryKind::kOther;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? EntryKind::kFolder : EntryKind::kFile;
}
}  // namespace

EntryKind KindOf(const os::Path& path) { return KindOfAttributes(GetFileAttributesW(path.c_str())); }

std::vector<FolderEntry> ListFolder(const os::Path& folder) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAW found;
    const os::FileSearch search(
        FindFirstFileExW((folder / L"*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0));
    if (!search) return entries;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") entries.push_back({name, KindOfAttributes(found.dwFileAttributes)});
    } while (FindNextFileW(search.Get(), &found));
    return entries;
}

bool RemoveFile(const os::Path& path) { return DeleteFileW(path.c_str()) != FALSE; }

bool RemoveEmptyFolder(const os::Path& path) { return RemoveDirectoryW(path.c_str()) != FALSE; }

}  // namespace vondrel::setup
