// Window: a copyable, non-owning view of an HWND with the few operations the program uses.
// Texts cross this boundary as code page 932 bytes.
#pragma once

#include <windows.h>

#include <string>

namespace vondrel::win {

class Window {
public:
    Window() = default;
    Window(HWND hwnd) : handle(hwnd) {}  // NOLINT: a view converts freely from a handle

    HWND Hwnd() const { return handle; }
    explicit operator bool() const { return handle != nullptr; }

    std::string GetText() const;
    // Reads at most `maxBytes` bytes of text (cut at a character boundary).
    std::string GetText(std::size_t maxBytes) const;
    void SetText(const std::string& cp932) const;

    void Enable(bool enable) const { EnableWindow(handle, enable ? TRUE : FALSE); }
    bool IsEnabled() const { return IsWindowEnabled(handle) != FALSE; }
    void Show(bool show) const { ShowWindow(handle, show ? SW_SHOW : SW_HIDE); }
    bool IsVisible() const { return IsWindowVisible(handle) != FALSE; }
    void Move(int x, int y, int width, int height) const { MoveWindow(handle, x, y, width, height, TRUE); }
    int Id() const { return GetDlgCtrlID(handle); }
    Window Item(int id) const { return Window(GetDlgItem(handle, id)); }
    Window Parent() const { return Window(GetParent(handle)); }

    RECT ClientRect() const;
    RECT WindowRect() const;
    // The window's rectangle in its parent's client coordinates.
    RECT RectInParent() const;

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageW(handle, message, wParam, lParam);
    }
    bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return PostMessageW(handle, message, wParam, lParam) != FALSE;
    }
    void Invalidate() const { InvalidateRect(handle, nullptr, TRUE); }
    // Repaints at once what is invalid.
    void UpdateNow() const { UpdateWindow(handle); }

private:
    HWND handle = nullptr;
};

}  // namespace vondrel::win
