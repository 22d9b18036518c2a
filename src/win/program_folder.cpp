// The running program's folder.
#include "win/program_folder.h"

#include <windows.h>

#include <string>

namespace vondrel::win {

os::Path ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) return os::Path();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // cut short: a longer path than the buffer
    }
    return os::FolderOf(os::Path(path));
}

}  // namespace vondrel::win
