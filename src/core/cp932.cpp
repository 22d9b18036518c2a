// Code page 932 byte-text helpers.
#include "core/cp932.h"

namespace vondrel::cp932 {

bool IsLeadByteAt(std::string_view text, std::size_t index) {
    return IsCharStart(text, index) && IsLeadByte(static_cast<unsigned char>(text[index]));
}

bool IsTrailByteAt(std::string_view text, std::size_t index) {
    return index < text.size() && !IsCharStart(text, index);
}

std::size_t Find(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.empty()) return from <= text.size() ? from : std::string_view::npos;
    // Byte matches in order; each is judged by looking back no further than the last position
    // known to start a character, so the whole search stays linear.
    std::size_t start = from;
    for (std::size_t at = text.find(needle, from); at != std::string_view::npos; at = text.find(needle, at + 1)) {
        if (LeadBytesBefore(text, at, start) % 2 == 0) return at;
        start = at + 1;  // `at` is a second byte, so the next byte starts a character
    }
    return std::string_view::npos;
}

std::string_view TruncateAtCharBoundary(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    std::size_t pos = 0;
    while (pos < maxBytes) {
        std::size_t len = IsLeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
        if (pos + len > maxBytes) break;
        pos += len;
    }
    return text.substr(0, pos);
}

bool CapAtCharBoundary(std::string& text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return false;
    text.resize(TruncateAtCharBoundary(text, maxBytes).size());
    return true;
}

}  // namespace vondrel::cp932
