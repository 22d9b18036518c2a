// SubclassedWindow: gives an existing control (a dialog item) a C++ window procedure of its own.
// The object is bound through the control's user data and its window procedure is replaced;
// messages not handled go to DefaultProc (the control's own procedure).
#pragma once

#include <windows.h>

#include "win/window.h"

namespace vondrel::win {

class SubclassedWindow {
public:
    SubclassedWindow() = default;
    virtual ~SubclassedWindow();
    SubclassedWindow(const SubclassedWindow&) = delete;
    SubclassedWindow& operator=(const SubclassedWindow&) = delete;

    // Attaches to `control` (a dialog item); Detach undoes it (also done by the destructor and
    // when the control is destroyed).
    void Attach(HWND control);
    void Detach();
    HWND Hwnd() const { return hwnd; }
    Window Self() const { return Window(hwnd); }

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefaultProc(message, wParam, lParam);
    }
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd = nullptr;
    WNDPROC original = nullptr;
};

}  // namespace vondrel::win
