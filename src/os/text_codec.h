// Conversions of texts to and from code page 932 (iconv on POSIX, the Win32 conversion
// functions on Windows). A character that cannot be converted is reported, never guessed: no
// best-fit mapping turns one character into another.
#pragma once

#include <string>
#include <string_view>

namespace vondrel::os {

// Code page 932 to UTF-8. Bytes that form no character become U+FFFD; returns false when any did.
bool Cp932ToUtf8(const std::string& cp932, std::string& utf8);

// EUC-JP to UTF-8. Bytes that form no character become U+FFFD; returns false when any did.
bool EucJpToUtf8(std::string_view eucJp, std::string& utf8);

// `bytes` in the encoding named `name` (as an XML declaration names it, any case: Shift_JIS,
// EUC-JP, ISO-8859-x, windows-125x, ...) to UTF-8; bytes that form no character become U+FFFD.
// False when the system knows no such encoding.
bool NamedToUtf8(std::string_view name, std::string_view bytes, std::string& utf8);

// UTF-8 to code page 932 for a text to be stored or shown. The characters other programs write
// for code page 932's own (the wave dash, the minus sign, the yen sign and the like) are taken
// as those; any other character without a code page 932 form, and any malformed byte, becomes
// "?" and sets `replaced`. Control characters pass unchanged.
std::string Utf8ToCp932Text(std::string_view utf8, bool& replaced);

}  // namespace vondrel::os
