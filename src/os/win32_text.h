// The text boundary to the wide-character Win32 API: code page 932 bytes to UTF-16 and back,
// always with code page 932 whatever the system's ANSI code page is, and paths for the file
// functions.
#pragma once

#include <string>
#include <string_view>

#include "os/path.h"

namespace vondrel::os {

// Code page 932 to UTF-16. Bytes that form no character become U+FFFD.
std::wstring ToWide(const std::string& cp932);

// UTF-16 to code page 932. The characters other programs write for code page 932's own (the
// wave dash, the yen sign, ...) are taken as those; any other character without a form there
// becomes "?" (never a best-fit look-alike: no yen sign turns into a backslash), and `lossless`,
// when given, tells whether every character had one.
std::string ToCp932(const std::wstring& wide, bool* lossless = nullptr);

// UTF-8 to UTF-16 and back (texts of the web and of other programs' files); malformed sequences
// become U+FFFD.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// A path for the file functions: the path itself, and in the extended "\\?\" form when it is
// too long for the classic path limit, so long paths are used whole instead of failing.
std::wstring FileSystemPath(const Path& path);

}  // namespace vondrel::os
