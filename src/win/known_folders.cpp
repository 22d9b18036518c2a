// Known folders through SHGetKnownFolderPath.
#include "win/known_folders.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include "os/file_io.h"
#include "os/win32_text.h"

namespace vondrel::win {

std::string DocumentsFolder() {
    PWSTR path = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &path)) && path) folder = os::ToCp932(path);
    CoTaskMemFree(path);
    if (folder.empty()) return os::CurrentDirectory();
    if (folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace vondrel::win
