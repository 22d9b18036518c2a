// Path splitting.
#include "core/path_text.h"

#include "core/cp932.h"

namespace vondrel {

PathParts SplitPath(std::string_view path) {
    PathParts parts;
    std::size_t rest = 0;
    if (path.size() >= 2 && path[1] == ':' && !cp932::IsLeadByte(static_cast<unsigned char>(path[0]))) {
        parts.drive = std::string(path.substr(0, 2));
        rest = 2;
    }
    std::size_t folderEnd = rest;  // one past the last separator
    std::size_t lastDot = std::string_view::npos;
    for (std::size_t i = rest; i < path.size(); i += cp932::CharLength(path, i)) {
        if (path[i] == '\\' || path[i] == '/') {
            folderEnd = i + 1;
            lastDot = std::string_view::npos;
        } else if (path[i] == '.') {
            lastDot = i;
        }
    }
    parts.folder = std::string(path.substr(rest, folderEnd - rest));
    if (lastDot == std::string_view::npos) {
        parts.baseName = std::string(path.substr(folderEnd));
    } else {
        parts.baseName = std::string(path.substr(folderEnd, lastDot - folderEnd));
        parts.extension = std::string(path.substr(lastDot));
    }
    return parts;
}

bool HasXmlExtension(std::string_view path) { return ToUpperAscii(SplitPath(path).extension) == ".XML"; }

std::string ToUpperAscii(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); i += cp932::CharLength(out, i)) {
        if (out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 'a' + 'A');
    }
    return out;
}

}  // namespace vondrel
