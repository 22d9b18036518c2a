// Text conversions for the interchange formats, over the os layer's: what other programs write
// (UTF-8, UTF-16, code page 932) to UTF-8 for parsing, and UTF-8 to the code page 932 of the
// point table with "?" for a character that has no form there.
#pragma once

#include <string>
#include <string_view>

#include "os/unicode_text.h"

namespace vondrel::formats {

using os::IsUtf8;
using os::Utf16ToUtf8;

// Code page 932 to UTF-8; bytes that form no character become U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);

// UTF-8 to code page 932 for a point's text. Control characters become spaces; the characters
// that other programs write for the ones code page 932 has in another form (the wave dash,
// the minus sign, the yen sign and the like) are taken as those; any other character without
// a form there, and any malformed byte, becomes "?" and sets `replaced`.
std::string ToPointText(std::string_view utf8, bool& replaced);

}  // namespace vondrel::formats
