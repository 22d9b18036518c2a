// Splitting code page 932 path texts into drive, folder, base name and extension, with
// separators found only at character boundaries (0x5C may be a double-byte character's second byte).
#pragma once

#include <string>
#include <string_view>

namespace vondrel {

struct PathParts {
    std::string drive;      // "C:" when the second character is a colon, else empty
    std::string folder;     // up to and including the last slash or backslash
    std::string baseName;
    std::string extension;  // from the last period of the file name on, period included
};

PathParts SplitPath(std::string_view path);

// True when the extension, compared without regard to letter case, is ".XML".
bool HasXmlExtension(std::string_view path);

// ASCII letters upper-cased; every other byte (double-byte characters included) unchanged.
std::string ToUpperAscii(std::string_view text);

}  // namespace vondrel
