// Encoding detection and conversion of glorie files.
#include "files/glorie_encoding.h"

#include <algorithm>

#include "os/text_codec.h"
#include "os/unicode_text.h"

namespace vondrel {

namespace {
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::size_t kDeclarationBytes = 256;

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

// The encoding name of an XML declaration at the start of `bytes` ("" when there is none).
std::string DeclaredName(std::string_view bytes) {
    std::string_view head = bytes.substr(0, kDeclarationBytes);
    while (!head.empty() && (head.front() == ' ' || head.front() == '\t' || head.front() == '\r' || head.front() == '\n')) {
        head.remove_prefix(1);
    }
    if (!StartsWith(head, "<?xml")) return std::string();
    head = head.substr(0, head.find("?>"));
    std::size_t at = head.find("encoding");
    if (at == std::string_view::npos) return std::string();
    at += 8;
    while (at < head.size() && (head[at] == ' ' || head[at] == '=' || head[at] == '\t')) ++at;
    if (at >= head.size() || (head[at] != '"' && head[at] != '\'')) return std::string();
    const std::size_t end = head.find(head[at], at + 1);
    if (end == std::string_view::npos) return std::string();
    return LowerAscii(head.substr(at + 1, end - at - 1));
}

TextEncoding NamedEncoding(const std::string& name) {
    for (const char* utf8 : {"utf-8", "utf8"}) {
        if (name == utf8) return TextEncoding::Utf8;
    }
    for (const char* eucJp : {"euc-jp", "eucjp", "x-euc-jp", "euc-jp-ms", "cseucpkdfmtjapanese"}) {
        if (name == eucJp) return TextEncoding::EucJp;
    }
    return TextEncoding::Cp932;  // Shift_JIS and its other names, and any name not known here
}
}  // namespace

TextEncoding FileEncoding(std::string_view bytes) {
    if (StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, std::string_view("<\0?\0", 4))) return TextEncoding::Utf16Le;
    if (StartsWith(bytes, "\xFE\xFF") || StartsWith(bytes, std::string_view("\0<\0?", 4))) return TextEncoding::Utf16Be;
    const bool marked = StartsWith(bytes, kUtf8Mark);
    const TextEncoding named = marked ? TextEncoding::Utf8 : NamedEncoding(DeclaredName(bytes));
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
