// Unicode helpers shared by the text conversions: UTF-8 decoding and encoding, UTF-16 to UTF-8,
// and the characters other programs write where code page 932 has a character of the same look
// under another code point. Portable, no conversion tables of their own.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vondrel::os {

// Decodes the UTF-8 character at `pos` and advances past it. A malformed byte is taken alone
// and gives false (overlong forms, surrogates and values past U+10FFFF are malformed).
bool NextCodePoint(std::string_view text, std::size_t& pos, char32_t& cp);

// Appends `cp` as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);

// True when `bytes` is well-formed UTF-8.
bool IsUtf8(std::string_view bytes);

// UTF-16 (little- or big-endian, without its byte-order mark) to UTF-8; an unpaired surrogate
// becomes U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);

// The encoding name (in lower case) of an XML declaration at the start of `bytes`, blanks
// before it allowed; "" when there is none.
std::string DeclaredEncodingName(std::string_view bytes);

// The names of Shift_JIS (read as code page 932, its superset) and of EUC-JP, in lower case.
bool IsShiftJisName(std::string_view name);
bool IsEucJpName(std::string_view name);

// The character code page 932 has for `cp` under another code point (the wave dash for the
// fullwidth tilde, the yen sign for 0x5C, ...); any other character unchanged.
char32_t FoldToCp932Form(char32_t cp);

}  // namespace vondrel::os
