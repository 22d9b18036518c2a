// Control subclassing by window procedure replacement. (Not the common controls' subclass
// chain: under Wine that looks its data up by window property on every message, which made
// filling a list hundreds of times slower.)
#include "win/subclassed_window.h"

#include "win/dialog.h"

namespace vondrel::win {

SubclassedWindow::~SubclassedWindow() { Detach(); }

void SubclassedWindow::Attach(HWND control) {
    Detach();
    if (!control) return;
    hwnd = control;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassedWindow::SubclassProc)));
}

void SubclassedWindow::Detach() {
    if (hwnd && original) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    hwnd = nullptr;
    original = nullptr;
}

LRESULT SubclassedWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(original, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedWindow::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<SubclassedWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || self->hwnd != hwnd) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        const WNDPROC original = self->original;
        self->Detach();
        return CallWindowProcW(original, hwnd, message, wParam, lParam);
    }
    try {
        return self->WindowProc(message, wParam, lParam);
    } catch (...) {
        // Told to the user through the dialog that holds the control.
        if (Dialog* dialog = Dialog::FromWindow(GetAncestor(hwnd, GA_ROOT))) dialog->CatchEscaped();
        return self->DefaultProc(message, wParam, lParam);
    }
}

}  // namespace vondrel::win
