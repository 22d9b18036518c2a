// Known folders through SHGetKnownFolderPath.
#include "win/known_folders.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <thread>

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
    if (path.empty()) return;
    // On a thread of its own: the shell sets up COM and state of its own there, never on the
    // window's thread (under Wine that thread then read a later drop's file names wrong).
    std::thread([&path] { SHAddToRecentDocs(SHARD_PATHW, path.c_str()); }).join();
}

}  // namespace vondrel::win
