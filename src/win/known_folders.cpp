// Known folders through SHGetKnownFolderPath.
#include "win/known_folders.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include "os/file_io.h"

namespace vondrel::win {

os::Path DocumentsFolder() {
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &path)) && path) folder = path;
    CoTaskMemFree(path);
    if (folder.empty()) return os::CurrentDirectory();
    if (folder.back() != L'\\') folder += L'\\';
    return folder;
}

}  // namespace vondrel::win
