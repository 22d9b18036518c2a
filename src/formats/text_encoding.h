// Text conversions for the interchange formats: what other programs write (UTF-8, UTF-16,
// code page 932) to UTF-8 for parsing, and UTF-8 to the code page 932 of the point table with
// "?" for a character that has no form there.
#pragma once

#include <string>
#include <string_view>

namespace vondrel::formats {

// True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsUtf8(std::string_view bytes);

// UTF-16 (little- or big-endian, without its byte-order mark) to UTF-8; an unpaired
// surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);

// Code page 932 to UTF-8; bytes that form no character become U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);

// UTF-8 to code page 932 for a point's text. Control characters become spaces; the characters
// that other programs write for the ones code page 932 has in another form (the wave dash,
// the minus sign, the yen sign and the like) are taken as those; any other character without
// a form there, and any malformed byte, becomes "?" and sets `replaced`.
std::string ToPointText(std::string_view utf8, bool& replaced);

}  // namespace vondrel::formats
