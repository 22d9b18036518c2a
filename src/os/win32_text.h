// The text boundary to the wide-character Win32 API: code page 932 bytes to UTF-16 and back,
// always with code page 932 whatever the system's ANSI code page is.
#pragma once

#include <string>

namespace vondrel::os {

// Code page 932 to UTF-16. Bytes that form no character become U+FFFD.
std::wstring ToWide(const std::string& cp932);

// UTF-16 to code page 932. Characters without a code page 932 form become "?"; `lossless`,
// when given, tells whether every character had one.
std::string ToCp932(const std::wstring& wide, bool* lossless = nullptr);

// A path for the file functions: UTF-16, and in the extended "\\?\" form when it is too long
// for the classic path limit, so long paths are used whole instead of failing or being cut.
std::wstring FileSystemPath(const std::string& cp932Path);

}  // namespace vondrel::os
