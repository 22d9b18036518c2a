// Code page 932 <-> UTF-16 conversion at the Win32 boundary.
#include <windows.h>

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

std::string ToCp932(const std::wstring& wide, bool* lossless) {
    if (lossless) *lossless = true;
    if (wide.empty()) return std::string();
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(kCodePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(kCodePage, 0, wide.data(), static_cast<int>(wide.size()), &bytes[0], length, "?", &usedDefault);
    if (lossless) *lossless = !usedDefault;
    return bytes;
}

std::wstring FileSystemPath(const std::string& cp932Path) {
    std::wstring wide = ToWide(cp932Path);
    if (wide.size() < MAX_PATH - 12 || wide.compare(0, 4, L"\\\\?\\") == 0) return wide;
    const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (length == 0) return wide;
    std::wstring full(length, L'\0');
    const DWORD got = GetFullPathNameW(wide.c_str(), length, &full[0], nullptr);
    full.resize(got);
    if (full.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

}  // namespace vondrel::os
