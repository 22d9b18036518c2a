// The setup helper's folder access on POSIX (what the native tests run): lstat, never stat.
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

#include "setup/setup_files.h"

namespace vondrel::setup {

EntryKind KindOf(const os::Path& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) return EntryKind::kNone;
    if (S_ISREG(st.st_mode)) return EntryKind::kFile;
    return S_ISDIR(st.st_mode) ? EntryKind::kFolder : EntryKind::kOther;
}

std::vector<FolderEntry> ListFolder(const os::Path& folder) {
    std::vector<FolderEntry> entries;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        entries.push_back({it->path().filename().native(), KindOf(it->path())});
    }
    return entries;
}

bool RemoveFile(const os::Path& path) { return ::unlink(path.c_str()) == 0; }

bool RemoveEmptyFolder(const os::Path& path) { return ::rmdir(path.c_str()) == 0; }

}  // namespace vondrel::setup
