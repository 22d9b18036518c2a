// Window DPI, with the fallback for systems without per-window DPI.
#include "win/dpi.h"

namespace vondrel::win {

namespace {
constexpr int kBaseDpi = 96;

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

GetDpiForWindowFunction GetDpiForWindowIfPresent() {
    static const auto function = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return function;
}
}  // namespace

int WindowDpi(HWND window) {
    if (const auto function = GetDpiForWindowIfPresent()) {
        if (const UINT dpi = window ? function(window) : 0) return static_cast<int>(dpi);
    }
    HDC dc = GetDC(window);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : kBaseDpi;
    if (dc) ReleaseDC(window, dc);
    return dpi > 0 ? dpi : kBaseDpi;
}

int ScaleToWindow(HWND window, int pixels) { return MulDiv(pixels, WindowDpi(window), kBaseDpi); }

}  // namespace vondrel::win
