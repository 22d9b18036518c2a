// Window view operations.
#include "win/window.h"

#include "core/cp932.h"
#include "os/win32_text.h"

namespace vondrel::win {

std::string Window::GetText() const {
    const int length = GetWindowTextLengthW(handle);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(handle, &text[0], length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return os::ToCp932(text);
}

std::string Window::GetText(std::size_t maxBytes) const {
    return std::string(cp932::TruncateAtCharBoundary(GetText(), maxBytes));
}

void Window::SetText(const std::string& cp932) const { SetWindowTextW(handle, os::ToWide(cp932).c_str()); }

RECT Window::ClientRect() const {
    RECT rect{};
    GetClientRect(handle, &rect);
    return rect;
}

RECT Window::WindowRect() const {
    RECT rect{};
    GetWindowRect(handle, &rect);
    return rect;
}

RECT Window::RectInParent() const {
    RECT rect = WindowRect();
    MapWindowPoints(HWND_DESKTOP, GetParent(handle), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace vondrel::win
