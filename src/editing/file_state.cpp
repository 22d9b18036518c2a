// File name and folder rules.
#include "editing/file_state.h"

namespace vondrel {

os::Path FileNameFromArguments(const os::PathString& arguments) {
    auto isDelimiter = [](os::PathChar c) {
        return c == os::PathChar(',') || c == os::PathChar('\t') || c == os::PathChar('\n') || c == os::PathChar('"');
    };
    std::size_t start = 0;
    while (start < arguments.size() && isDelimiter(arguments[start])) ++start;
    if (start == arguments.size()) return os::Path(arguments);  // no token: the whole text stands
    std::size_t end = start;
    while (end < arguments.size() && !isDelimiter(arguments[end])) ++end;
    return os::Path(arguments.substr(start, end - start));
}

os::Path DriveAndFolder(const os::Path& name) { return os::FolderOf(name); }

NormalizedPath NormalizePath(const os::Path& name, const os::Path& currentDirectory) {
    NormalizedPath result;
    result.fileDirectory = DriveAndFolder(name);
    if (result.fileDirectory.empty()) result.fileDirectory = currentDirectory;
    if (os::HasExtension(name, ".xml")) result.filePath = name;
    return result;
}

}  // namespace vondrel
