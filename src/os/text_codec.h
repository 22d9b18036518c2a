// Conversions between code page 932 byte texts and UTF-8 (iconv on POSIX, the Win32
// conversion functions on Windows). Invalid or unmappable input is reported, never guessed.
#pragma once

#include <string>

namespace vondrel::os {

// Code page 932 to UTF-8. Bytes that form no character become U+FFFD; returns false when any did.
bool Cp932ToUtf8(const std::string& cp932, std::string& utf8);

// UTF-8 to code page 932. Returns false (with `cp932` unspecified) when the input is not
// valid UTF-8 or holds a character that code page 932 cannot represent.
bool Utf8ToCp932(const std::string& utf8, std::string& cp932);

}  // namespace vondrel::os
