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

}  // namespace vondrel
