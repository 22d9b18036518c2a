// Code page 932 and EUC-JP conversions with the Win32 conversion functions, and the display
// form of paths.
#include <windows.h>

#include <algorithm>

#include "os/path.h"
#include "os/text_codec.h"
#include "os/unicode_text.h"
#include "os/win32_text.h"

namespace vondrel::os {

namespace {
constexpr UINT kEucJp = 20932;

// `bytes` of `codePage` to UTF-16; false when some bytes formed no character (they are replaced).
bool Decode(UINT codePage, std::string_view bytes, std::wstring& wide) {
    wide.clear();
    if (bytes.empty()) return true;
    const int size = static_cast<int>(bytes.size());
    const bool valid = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0) > 0;
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    wide.assign(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, &wide[0], length);
    return valid;
}

}  // namespace

bool Cp932ToUtf8(const std::string& cp932, std::string& utf8) {
    std::wstring wide;
    const bool valid = Decode(932, cp932, wide);
    utf8 = WideToUtf8(wide);
    return valid;
}

// The length of the EUC-JP character at `pos`: 1 for ASCII and stray bytes, 2 for JIS X 0208
// and half-width kana (0x8E), 3 for JIS X 0212 (0x8F); cut short at the end.
std::size_t EucJpCharLength(std::string_view bytes, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    const std::size_t length = lead == 0x8F ? 3 : (lead == 0x8E || (lead >= 0xA1 && lead <= 0xFE)) ? 2 : 1;
    return std::min(length, bytes.size() - pos);
}

bool EucJpToUtf8(std::string_view eucJp, std::string& utf8) {
    // Whole at once when the bytes are valid; else one character at a time, with U+FFFD for
    // each that forms none (the code page's support of JIS X 0212 differs between systems, so
    // a three-byte character must decode to exactly one).
    std::wstring wide;
    if (Decode(kEucJp, eucJp, wide)) {
        bool whole = true;
        for (std::size_t pos = 0; pos < eucJp.size() && whole; ++pos) whole = eucJp[pos] != '\x8F';
        if (whole) {
            utf8 = WideToUtf8(wide);
            return true;
        }
    }
    bool valid = true;
    std::wstring all;
    for (std::size_t pos = 0; pos < eucJp.size();) {
        const std::size_t length = EucJpCharLength(eucJp, pos);
        const bool decoded = Decode(kEucJp, eucJp.substr(pos, length), wide) && (wide.size() == 1 || (wide.size() == 2 && wide[0] >= 0xD800 && wide[0] < 0xDC00));
        if (decoded) {
            all += wide;
        } else {
            all.push_back(L'\xFFFD');
            valid = false;
        }
        pos += length;
    }
    utf8 = WideToUtf8(all);
    return valid;
}

namespace {
// The Windows code page of an encoding name (lower case); 0 when not known here.
UINT CodePageOf(const std::string& name) {
    static const struct {
        const char* name;
        UINT codePage;
    } kNames[] = {{"us-ascii", 20127},    {"ascii", 20127},      {"latin1", 28591},  {"koi8-r", 20866},
                  {"big5", 950},          {"gb2312", 936},       {"gbk", 936},       {"euc-kr", 949},
                  {"iso-2022-jp", 50220}, {"iso-8859-13", 28603}, {"iso-8859-15", 28605}};
    for (const auto& entry : kNames) {
        if (name == entry.name) return entry.codePage;
    }
    const auto numbered = [&](const char* prefix, int first, int last, UINT base) -> UINT {
        const std::string start(prefix);
        if (name.compare(0, start.size(), start) != 0) return 0;
        const std::string rest = name.substr(start.size());
        if (rest.empty() || rest.size() > 2 || rest.find_first_not_of("0123456789") != std::string::npos) return 0;
        const int n = std::stoi(rest);
        return n >= first && n <= last ? base + static_cast<UINT>(n) : 0;
    };
    if (const UINT iso = numbered("iso-8859-", 1, 9, 28590)) return iso;
    if (const UINT windows = numbered("windows-125", 0, 8, 1250)) return windows;
    return numbered("cp125", 0, 8, 1250);
}
}  // namespace

bool NamedToUtf8(std::string_view name, std::string_view bytes, std::string& utf8) {
    std::string lower(name);
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    if (IsEucJpName(lower)) return EucJpToUtf8(bytes, utf8), true;
    if (IsShiftJisName(lower)) return Cp932ToUtf8(std::string(bytes), utf8), true;
    const UINT codePage = CodePageOf(lower);
    if (codePage == 0) return false;
    std::wstring wide;
    Decode(codePage, bytes, wide);
    utf8 = WideToUtf8(wide);
    return true;
}

std::string Utf8ToCp932Text(std::string_view utf8, bool& replaced) {
    // UTF-8 to UTF-16 by hand, so a malformed byte becomes "?" and is reported.
    std::wstring wide;
    wide.reserve(utf8.size());
    char32_t cp = 0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        if (!NextCodePoint(utf8, pos, cp)) {
            wide.push_back(L'?');
            replaced = true;
        } else if (cp >= 0x10000) {
            wide.push_back(static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10)));
            wide.push_back(static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            wide.push_back(static_cast<wchar_t>(cp));
        }
    }
    bool lossless = true;
    std::string cp932 = ToCp932(wide, &lossless);
    if (!lossless) replaced = true;
    return cp932;
}

void SetPathDisplay(PathDisplay) {}

std::string DisplayPath(const Path& path) { return ToCp932(path.native()); }

}  // namespace vondrel::os
