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

namespace {
// A folder as compared: normalised, without a separator at its end, and on Windows with one
// kind of separator and ASCII letters in one case, as the file system takes them.
os::PathString FolderKey(const os::Path& folder) {
    os::PathString key = folder.lexically_normal().native();
#ifdef _WIN32
    for (os::PathChar& c : key) {
        if (c == L'/') c = L'\\';
        if (c >= L'A' && c <= L'Z') c = static_cast<os::PathChar>(c - L'A' + L'a');
    }
#endif
    while (!key.empty() && os::IsSeparator(key.back())) key.pop_back();
    return key;
}
}  // namespace

os::Path DialogStartFolder(const os::Path& lastUsed, const os::Path& programFolder, const os::Path& documents) {
    const os::PathString folder = FolderKey(lastUsed);
    const os::PathString program = FolderKey(programFolder);
    const bool inProgram = !program.empty() && folder.compare(0, program.size(), program) == 0 &&
                           (folder.size() == program.size() || os::IsSeparator(folder[program.size()]));
    return folder.empty() || inProgram ? documents : lastUsed;
}

NormalizedPath NormalizePath(const os::Path& name, const os::Path& currentDirectory) {
    NormalizedPath result;
    result.fileDirectory = DriveAndFolder(name);
    if (result.fileDirectory.empty()) result.fileDirectory = currentDirectory;
    if (os::HasExtension(name, ".xml")) result.filePath = name;
    return result;
}

}  // namespace vondrel
