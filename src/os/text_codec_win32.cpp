// Code page 932 <-> UTF-8 with the Win32 conversion functions.
#include <windows.h>

#include "os/text_codec.h"
#include "os/win32_text.h"

namespace vondrel::os {

bool Cp932ToUtf8(const std::string& cp932, std::string& utf8) {
    utf8.clear();
    if (cp932.empty()) return true;
    const bool valid = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, cp932.data(), static_cast<int>(cp932.size()), nullptr, 0) > 0;
    const std::wstring wide = ToWide(cp932);
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    utf8.assign(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0], length, nullptr, nullptr);
    return valid;
}

bool Utf8ToCp932(const std::string& utf8, std::string& cp932) {
    cp932.clear();
    if (utf8.empty()) return true;
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (length <= 0) return false;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], length);
    bool lossless = false;
    cp932 = ToCp932(wide, &lossless);
    return lossless;
}

}  // namespace vondrel::os
