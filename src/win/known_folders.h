// The user's own folders, as the shell names them, and the shell's list of recent documents.
#pragma once

#include "os/path.h"

namespace vondrel::win {

// The user's Documents folder ending in a backslash (code page 932), where new lists are saved
// unless the user chooses another; the current folder when the shell cannot tell.
os::Path DocumentsFolder();

// Tells the shell a file was opened or saved, for the taskbar's list of recent files.
void AddToRecentDocuments(const os::Path& path);

}  // namespace vondrel::win
