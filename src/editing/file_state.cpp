// File name and folder rules.
#include "editing/file_state.h"

#include "core/path_text.h"

namespace vondrel {

std::string FileNameFromArguments(const std::string& arguments) {
    auto isDelimiter = [](char c) { return c == ',' || c == '\t' || c == '\n' || c == '"'; };
    std::size_t start = 0;
    while (start < arguments.size() && isDelimiter(arguments[start])) ++start;
    if (start == arguments.size()) return arguments;  // no token: the whole text stands
    std::size_t end = start;
    while (end < arguments.size() && !isDelimiter(arguments[end])) ++end;
    return arguments.substr(start, end - start);
}

std::string DriveAndFolder(const std::string& name) {
    const PathParts parts = SplitPath(name);
    std::string folder = parts.folder;
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    return parts.drive + folder;
}

NormalizedPath NormalizePath(const std::string& name, const std::string& currentDirectory) {
    NormalizedPath result;
    result.fileDirectory = DriveAndFolder(name);
    if (result.fileDirectory.empty()) result.fileDirectory = currentDirectory;
    result.filePath = HasXmlExtension(name) ? name : std::string();
    return result;
}

}  // namespace vondrel
