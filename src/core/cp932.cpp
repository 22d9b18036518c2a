// Code page 932 byte-text helpers.
#include "core/cp932.h"

namespace vondrel::cp932 {

namespace {
// Index of the start of the character that contains byte `index`.
std::size_t CharStartOf(std::string_view text, std::size_t index) {
    std::size_t pos = 0;
    while (pos < index) {
        std::size_t next = pos + CharLength(text, pos);
        if (next > index) return pos;
        pos = next;
    }
    return pos;
}
}  // namespace

bool IsLeadByteAt(std::string_view text, std::size_t index) {
    if (index >= text.size()) return false;
    return CharStartOf(text, index) == index && IsLeadByte(static_cast<unsigned char>(text[index]));
}

bool IsTrailByteAt(std::string_view text, std::size_t index) {
    if (index >= text.size()) return false;
    return CharStartOf(text, index) != index;
}

std::size_t Find(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.empty()) return from <= text.size() ? from : std::string_view::npos;
    const char first = needle.front();
    for (std::size_t pos = from; pos < text.size(); pos += CharLength(text, pos)) {
        if (text[pos] == first && text.compare(pos, needle.size(), needle) == 0) return pos;
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

}  // namespace vondrel::cp932
