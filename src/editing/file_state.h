// The current file's name, save path and dialog folder as the command line and the file commands
// set them: the first token of the command line, and the folder/title rules for a file name.
// Paths stay in the system's own form. Portable (no window code) so the rules are tested natively.
#pragma once

#include "os/path.h"

namespace vondrel {

// The file name given on a command line (the text after the program's name): its first token,
// where comma, tab, line feed and double quote delimit and a space does not; the whole text when
// it holds no token. Any length is taken whole.
os::Path FileNameFromArguments(const os::PathString& arguments);

struct NormalizedPath {
    os::Path fileDirectory;  // drive and folder of the name, or `currentDirectory`
    os::Path filePath;       // the name when its extension is .xml in any case, else ""
};

// The folder in which the file dialogs start and the path Save writes to, for a file name.
NormalizedPath NormalizePath(const os::Path& name, const os::Path& currentDirectory);

// Drive and folder of `name`, ending in a separator ("" when it has neither; "C:" for "C:a.xml").
os::Path DriveAndFolder(const os::Path& name);

// The folder a file dialog starts in: `lastUsed`, the folder it used last, unless that is none
// or lies in the program's own folder (no place for the user's files: an installed program's
// folder is not writable, and what stands there goes when the program is removed); else
// `documents`.
os::Path DialogStartFolder(const os::Path& lastUsed, const os::Path& programFolder, const os::Path& documents);

}  // namespace vondrel
