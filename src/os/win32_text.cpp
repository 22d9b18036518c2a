// Code page 932 <-> UTF-16 conversion at the Win32 boundary.
#include <windows.h>

#include "os/unicode_text.h"
#include "os/win32_text.h"

namespace vondrel::os {

namespace {
constexpr UINT kCodePage = 932;
}

std::wstring ToWide(const std::string& cp932) {
    if (cp932.empty()) return std::wstring();
    const int length = MultiByteToWideChar(kCodePage, 0, cp932.data(), static_cast<int>(cp932.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(kCodePage, 0, cp932.data(), static_cast<int>(cp932.size()), &wide[0], length);
    return wide;
}

std::string ToCp932(const std::wstring& source, bool* lossless) {
    if (lossless) *lossless = true;
    if (source.empty()) return std::string();
    // A character beyond the basic plane (a surrogate pair) has no code page 932 form: it
    // becomes one U+FFFD, so one "?" stands for it as for any other character.
    std::wstring wide;
    wide.reserve(source.size());
    for (std::size_t i = 0; i < source.size(); ++i) {
        const wchar_t c = source[i];
        if (c < 0xD800 || c >= 0xE000) {
            wide.push_back(static_cast<wchar_t>(FoldToCp932Form(c)));
        } else {
            if (c < 0xDC00 && i + 1 < source.size() && source[i + 1] >= 0xDC00 && source[i + 1] < 0xE000) ++i;
            wide.push_back(L'\xFFFD');
        }
    }
    // Without best fit, a character with no form of its own becomes the default "?" and is
    // reported, instead of becoming a look-alike such as a backslash for a yen sign.
    BOOL usedDefault = FALSE;
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, "?", nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, &bytes[0], length, "?", &usedDefault);
    if (lossless) *lossless = !usedDefault;
    return bytes;
}

std::wstring FileSystemPath(const Path& path) {
    const std::wstring& wide = path.native();
    if (wide.size() < MAX_PATH - 12 || wide.compare(0, 4, L"\\\\?\\") == 0) return wide;
    const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (length == 0) return wide;
    std::wstring full(length, L'\0');
    const DWORD got = GetFullPathNameW(wide.c_str(), length, &full[0], nullptr);
    full.resize(got);
    if (full.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::wstring Utf8ToWide(std::string_view utf8) {
    if (utf8.empty()) return std::wstring();
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, &wide[0], length);
    return wide;
}

std::string WideToUtf8(std::wstring_view wide) {
    if (wide.empty()) return std::string();
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, &utf8[0], length, nullptr, nullptr);
    return utf8;
}

}  // namespace vondrel::os
