// Thin views of the standard controls the dialogs use: button, up-down, combo box and list box.
// Texts are code page 932.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "win/window.h"

namespace vondrel::win {

class Button : public Window {
public:
    Button(HWND hwnd = nullptr) : Window(hwnd) {}  // NOLINT: a view converts freely from a handle
    bool IsChecked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
    void SetChecked(bool checked) const { Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
    void SetIcon(HICON icon) const { Send(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)); }
};

class UpDown : public Window {
public:
    UpDown(HWND hwnd = nullptr) : Window(hwnd) {}  // NOLINT
    void SetBuddy(HWND buddy) const { Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy)); }
    void SetRange(int lower, int upper) const { Send(UDM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
    void SetPosition(int position) const { Send(UDM_SETPOS32, 0, position); }
    // The position; `valid` tells whether the buddy's text is a number within the range.
    int Position(bool* valid = nullptr) const;
};

class ComboBox : public Window {
public:
    ComboBox(HWND hwnd = nullptr) : Window(hwnd) {}  // NOLINT
    void Clear() const { Send(CB_RESETCONTENT); }
    int Add(const std::string& text) const;
    int Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }
    // -1 when no entry is selected.
    int Selection() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    void Select(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    std::string EntryText(int index) const;
};

class ListBox : public Window {
public:
    ListBox(HWND hwnd = nullptr) : Window(hwnd) {}  // NOLINT
    int Add(const std::string& text) const;
    int Count() const { return static_cast<int>(Send(LB_GETCOUNT)); }
    int Selection() const { return static_cast<int>(Send(LB_GETCURSEL)); }
    void Select(int index) const { Send(LB_SETCURSEL, static_cast<WPARAM>(index)); }
    void Remove(int index) const { Send(LB_DELETESTRING, static_cast<WPARAM>(index)); }
    std::string EntryText(int index) const;
};

}  // namespace vondrel::win
