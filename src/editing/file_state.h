// The current file's name, save path and dialog folder as the command line and the file commands
// set them: the first token of the command line, and the folder/title rules for a file name.
// Portable (no window code) so the rules are tested natively.
#pragma once

#include <string>

namespace vondrel {

// The file name given on a command line (the text after the program's name): its first token,
// where comma, tab, line feed and double quote delimit and a space does not; the whole text when
// it holds no token. Any length is taken whole.
std::string FileNameFromArguments(const std::string& arguments);

struct NormalizedPath {
    std::string fileDirectory;  // drive and folder of the name, or `currentDirectory`
    std::string filePath;       // the name when its extension is .xml in any case, else ""
};

// The folder in which the file dialogs start and the path Save writes to, for a file name.
NormalizedPath NormalizePath(const std::string& name, const std::string& currentDirectory);

// Drive and folder of `name` ("" when it has neither).
std::string DriveAndFolder(const std::string& name);

}  // namespace vondrel
