// Path rules over the system's own characters.
#include "os/path.h"

namespace vondrel::os {

namespace {
#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

// Length of a drive prefix ("C:") at the start, else 0.
std::size_t DriveLength(const PathString& text) {
    if (!kWindows || text.size() < 2 || text[1] != PathChar(':')) return 0;
    const PathChar letter = text[0];
    const bool ascii = (letter >= PathChar('A') && letter <= PathChar('Z')) || (letter >= PathChar('a') && letter <= PathChar('z'));
    return ascii ? 2 : 0;
}

// One past the last separator, or past the drive.
std::size_t FileNameStart(const PathString& text) {
    std::size_t start = DriveLength(text);
    for (std::size_t i = start; i < text.size(); ++i) {
        if (IsSeparator(text[i])) start = i + 1;
    }
    return start;
}

PathChar UpperAscii(PathChar c) { return (c >= PathChar('a') && c <= PathChar('z')) ? PathChar(c - 'a' + 'A') : c; }
}  // namespace

PathString AsciiPathText(std::string_view ascii) {
    PathString text;
    text.reserve(ascii.size());
    for (char c : ascii) text.push_back(static_cast<PathChar>(static_cast<unsigned char>(c)));
    return text;
}

bool IsSeparator(PathChar c) { return c == PathChar('/') || (kWindows && c == PathChar('\\')); }

Path FolderOf(const Path& path) { return Path(path.native().substr(0, FileNameStart(path.native()))); }

PathString FileNameOf(const Path& path) { return path.native().substr(FileNameStart(path.native())); }

bool HasExtension(const Path& path, std::string_view extension) {
    const PathString name = FileNameOf(path);
    const std::size_t dot = name.find_last_of(PathChar('.'));
    if (dot == PathString::npos || name.size() - dot != extension.size()) return false;
    for (std::size_t i = 0; i < extension.size(); ++i) {
        if (UpperAscii(name[dot + i]) != UpperAscii(static_cast<PathChar>(static_cast<unsigned char>(extension[i])))) return false;
    }
    return true;
}

}  // namespace vondrel::os
