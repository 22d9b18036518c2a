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

std::string WideToUtf8(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, &utf8[0], length, nullptr, nullptr);
    return utf8;
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
