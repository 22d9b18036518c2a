// Known folders through SHGetKnownFolderPath.
#include "win/known_folders.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include "os/file_io.h"
#include "os/win32_owned.h"

namespace vondrel::win {

os::Path DocumentsFolder() {
    PWSTR given = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &given);
    const os::TaskMemory<PWSTR> path(given);  // the caller's to free, even on failure
    std::wstring folder;
    if (SUCCEEDED(result) && path) folder = path.Get();
    if (folder.empty()) return os::CurrentDirectory();
    if (folder.back() != L'\\') folder += L'\\';
    return folder;
}

void AddToRecentDocuments(const os::Path& path) {
    if (!path.empty()) SHAddToRecentDocs(SHARD_PATHW, path.c_str());
}

}  // namespace vondrel::win
