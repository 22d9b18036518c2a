// Encoding detection and conversion of glorie files.
#include "files/glorie_encoding.h"

#include <algorithm>

#include "os/text_codec.h"
#include "os/unicode_text.h"

namespace vondrel {

namespace {
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

TextEncoding NamedEncoding(const std::string& name) {
    for (const char* utf8 : {"utf-8", "utf8"}) {
        if (name == utf8) return TextEncoding::Utf8;
    }
    if (os::IsEucJpName(name)) return TextEncoding::EucJp;
    return TextEncoding::Cp932;  // Shift_JIS and its other names, and any name not known here
}
}  // namespace

TextEncoding FileEncoding(std::string_view bytes) {
    if (StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, std::string_view("<\0?\0", 4))) return TextEncoding::Utf16Le;
    if (StartsWith(bytes, "\xFE\xFF") || StartsWith(bytes, std::string_view("\0<\0?", 4))) return TextEncoding::Utf16Be;
    const bool marked = StartsWith(bytes, kUtf8Mark);
    const TextEncoding named = marked ? TextEncoding::Utf8 : NamedEncoding(os::DeclaredEncodingName(bytes));
    if (named == TextEncoding::Utf8 && !os::IsUtf8(bytes)) return TextEncoding::Cp932;
    return named;
}

std::string ToCp932Bytes(std::string_view bytes, TextEncoding encoding, std::vector<int>& replacedBlocks) {
    std::string utf8;
    std::string_view text = bytes;
    switch (encoding) {
        case TextEncoding::Cp932: return std::string(bytes);
        case TextEncoding::Utf8:
            if (StartsWith(text, kUtf8Mark)) text.remove_prefix(kUtf8Mark.size());
            break;
        case TextEncoding::EucJp:
            os::EucJpToUtf8(bytes, utf8);  // bytes that form no character become U+FFFD, then "?"
            text = utf8;
            break;
        case TextEncoding::Utf16Le:
        case TextEncoding::Utf16Be: {
            const bool marked = StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF");
            utf8 = os::Utf16ToUtf8(bytes.substr(marked ? 2 : 0), encoding == TextEncoding::Utf16Be);
            text = utf8;
            break;
        }
    }
    // Usually every character converts: the whole text at once. Otherwise block by block, to
    // know which points lost characters.
    bool replaced = false;
    std::string whole = os::Utf8ToCp932Text(text, replaced);
    if (!replaced) return whole;
    std::string().swap(whole);
    std::string cp932;
    cp932.reserve(text.size());
    constexpr std::string_view kBlockEnd = "</gpoi>";
    int block = 0;
    for (std::size_t start = 0; start < text.size(); ++block) {
        const std::size_t found = text.find(kBlockEnd, start);
        const std::size_t end = found == std::string_view::npos ? text.size() : found + kBlockEnd.size();
        replaced = false;
        cp932 += os::Utf8ToCp932Text(text.substr(start, end - start), replaced);
        if (replaced) replacedBlocks.push_back(block);
        start = end;
    }
    return cp932;
}

}  // namespace vondrel
