// The screen scale a window is drawn at. Windows 10 tells each window its monitor's DPI; older
// systems have one DPI for every screen, read from a device context. The functions of newer
// systems are looked up at run time, so the program still starts on Windows 7.
#pragma once

#include <windows.h>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace vondrel::win {

// The DPI `window` is drawn at (96 at 100 %), or the screen's when it has none of its own.
int WindowDpi(HWND window);
// `pixels` at 96 DPI at `window`'s scale.
int ScaleToWindow(HWND window, int pixels);

}  // namespace vondrel::win
