// UTF-8 and UTF-16 handling and the code page 932 look-alikes.
#include "os/unicode_text.h"

namespace vondrel::os {

namespace {
constexpr char32_t kReplacement = 0xFFFD;
}  // namespace

bool NextCodePoint(std::string_view text, std::size_t& pos, char32_t& cp) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    int length = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        cp = lead, length = 1;
    } else if (lead >= 0xC2 && lead < 0xE0) {
        cp = lead & 0x1F, length = 2, min = 0x80;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        cp = lead & 0x0F, length = 3, min = 0x800;
    } else if (lead >= 0xF0 && lead < 0xF5) {
        cp = lead & 0x07, length = 4, min = 0x10000;
    }
    if (length == 0 || pos + static_cast<std::size_t>(length) > text.size()) {
        ++pos;
        return false;
    }
    for (int k = 1; k < length; ++k) {
        if ((byte(pos + static_cast<std::size_t>(k)) & 0xC0) != 0x80) {
            ++pos;
            return false;
        }
        cp = (cp << 6) | (byte(pos + static_cast<std::size_t>(k)) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return false;
    }
    pos += static_cast<std::size_t>(length);
    return true;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsUtf8(std::string_view bytes) {
    char32_t cp = 0;
    for (std::size_t pos = 0; pos < bytes.size();) {
        if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
            ++pos;  // ASCII, the bulk of a point file, without a decode
        } else if (!NextCodePoint(bytes, pos, cp)) {
            return false;
        }
    }
    return true;
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    const auto unit = [&](std::size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp < 0xDC00 && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(out, (cp >= 0xD800 && cp < 0xE000) ? kReplacement : cp);
    }
    return out;
}

// JIS-based converters and Mac programs write these where code page 932 has a character of
// the same look under another code point.
std::string DeclaredEncodingName(std::string_view bytes) {
    constexpr std::size_t kDeclarationBytes = 256;
    std::string_view head = bytes.substr(0, kDeclarationBytes);
    while (!head.empty() && (head.front() == ' ' || head.front() == '\t' || head.front() == '\r' || head.front() == '\n')) {
        head.remove_prefix(1);
    }
    if (head.substr(0, 5) != "<?xml") return std::string();
    head = head.substr(0, head.find("?>"));
    std::size_t at = head.find("encoding");
    if (at == std::string_view::npos) return std::string();
    at += 8;
    while (at < head.size() && (head[at] == ' ' || head[at] == '=' || head[at] == '\t')) ++at;
    if (at >= head.size() || (head[at] != '"' && head[at] != '\'')) return std::string();
    const std::size_t end = head.find(head[at], at + 1);
    if (end == std::string_view::npos) return std::string();
    std::string name(head.substr(at + 1, end - at - 1));
    for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return name;
}

bool IsShiftJisName(std::string_view name) {
    for (const char* alias : {"shift_jis", "shift-jis", "sjis", "x-sjis", "windows-31j", "cp932", "ms_kanji", "csshiftjis"}) {
        if (name == alias) return true;
    }
    return false;
}

bool IsEucJpName(std::string_view name) {
    for (const char* alias : {"euc-jp", "eucjp", "x-euc-jp", "euc-jp-ms", "cseucpkdfmtjapanese"}) {
        if (name == alias) return true;
    }
    return false;
}

char32_t FoldToCp932Form(char32_t cp) {
    switch (cp) {
        case 0x301C: return 0xFF5E;  // WAVE DASH -> FULLWIDTH TILDE
        case 0x2016: return 0x2225;  // DOUBLE VERTICAL LINE -> PARALLEL TO
        case 0x2212: return 0xFF0D;  // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
        case 0x2014: return 0x2015;  // EM DASH -> HORIZONTAL BAR
        case 0x00A2: return 0xFFE0;  // CENT SIGN
        case 0x00A3: return 0xFFE1;  // POUND SIGN
        case 0x00AC: return 0xFFE2;  // NOT SIGN
        case 0x00A6: return 0xFFE4;  // BROKEN BAR
        case 0x00A5: return 0x5C;    // YEN SIGN: code page 932's 0x5C, shown as a yen sign
        case 0x203E: return 0x7E;    // OVERLINE: 0x7E in the JIS roman set
        default: return cp;
    }
}

}  // namespace vondrel::os
