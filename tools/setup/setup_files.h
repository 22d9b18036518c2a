// What the setup helper needs of a folder tree, without ever following a link: a folder's
// entries by kind, and removing a file or an empty folder. POSIX and Win32 bodies.
#pragma once

#include <vector>

#include "os/path.h"

namespace vondrel::setup {

// kOther: a symbolic link, junction or other reparse point, a device, FIFO or socket.
enum class EntryKind { kNone, kFile, kFolder, kOther };

struct FolderEntry {
    os::PathString name;
    EntryKind kind;
};

// What is at `path` itself (a link is kOther, whatever it points to).
EntryKind KindOf(const os::Path& path);

// The entries of a folder (not "." and ".."); empty when it cannot be listed.
std::vector<FolderEntry> ListFolder(const os::Path& folder);

// Removes a file, or an empty folder; false when it could not be removed.
bool RemoveFile(const os::Path& path);
bool RemoveEmptyFolder(const os::Path& path);

}  // namespace vondrel::setup
