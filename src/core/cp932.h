// Code page 932 (Shift_JIS) byte-text helpers: lead-byte tests in context,
// character-aware search and boundary-safe truncation. Independent of the process locale.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vondrel::cp932 {

// True for a byte that starts a double-byte character (0x81-0x9F, 0xE0-0xFC).
constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// True for a byte that can be the second byte of a double-byte character (0x40-0x7E, 0x80-0xFC).
constexpr bool IsTrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// Length in bytes of the character starting at `index`: 2 for a lead byte that has a
// following byte, else 1. A lead byte always takes the next byte, whatever its value.
inline std::size_t CharLength(std::string_view text, std::size_t index) {
    return (IsLeadByte(static_cast<unsigned char>(text[index])) && index + 1 < text.size()) ? 2 : 1;
}

// The number of lead-range bytes just before `index`, counting back no further than `start`.
// When `start` is a character start, `index` is one exactly when that number is even: a byte
// outside the lead range always ends a character, and from there the lead bytes pair up.
inline std::size_t LeadBytesBefore(std::string_view text, std::size_t index, std::size_t start = 0) {
    std::size_t leads = 0;
    while (index - leads > start && IsLeadByte(static_cast<unsigned char>(text[index - 1 - leads]))) ++leads;
    return leads;
}

// True when `index` starts a character (the text read as characters from its start). Only
// the lead-range bytes just before it are looked at, so this is cheap wherever they are few.
inline bool IsCharStart(std::string_view text, std::size_t index) {
    return index < text.size() && LeadBytesBefore(text, index) % 2 == 0;
}

// True when the byte at `index` is the first byte of a double-byte character, judged by
// scanning from the start of the text (so a second byte in the lead range is not taken for one).
bool IsLeadByteAt(std::string_view text, std::size_t index);

// True when the byte at `index` is the second byte of a double-byte character.
bool IsTrailByteAt(std::string_view text, std::size_t index);

// Finds `needle` starting only at character boundaries at or after `from` (which must itself
// be a character boundary). Returns npos when absent.
std::size_t Find(std::string_view text, std::string_view needle, std::size_t from = 0);

// Byte-wise equality; the same as a multibyte comparison for equality.
inline bool Equal(std::string_view a, std::string_view b) { return a == b; }

// The longest prefix of at most `maxBytes` bytes that does not end inside a double-byte character.
std::string_view TruncateAtCharBoundary(std::string_view text, std::size_t maxBytes);

// Cuts `text` to TruncateAtCharBoundary's prefix; true when it was longer.
bool CapAtCharBoundary(std::string& text, std::size_t maxBytes);

}  // namespace vondrel::cp932
