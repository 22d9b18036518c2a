// Control subclassing.
#include "platform/subclassed_window.h"

#include <commctrl.h>

namespace vondrel::platform {

namespace {
constexpr UINT_PTR kSubclassId = 0x564E4452;  // one id for every object of this kind
}

SubclassedWindow::~SubclassedWindow() { Detach(); }

void SubclassedWindow::Attach(HWND control) {
    Detach();
    hwnd = control;
    if (hwnd) SetWindowSubclass(hwnd, &SubclassedWindow::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void SubclassedWindow::Detach() {
    if (hwnd) RemoveWindowSubclass(hwnd, &SubclassedWindow::SubclassProc, kSubclassId);
    hwnd = nullptr;
}

LRESULT SubclassedWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedWindow::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                DWORD_PTR data) {
    SubclassedWindow* self = reinterpret_cast<SubclassedWindow*>(data);
    if (message == WM_NCDESTROY) {
        self->Detach();
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    try {
        return self->WindowProc(message, wParam, lParam);
    } catch (...) {
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace vondrel::platform
