// Status bar control.
#include "win/status_bar.h"

#include <commctrl.h>
#include <uxtheme.h>

#include "win/dialog.h"
#include "os/win32_text.h"

namespace vondrel::win {

bool StatusBar::Create(HWND parent, int id) {
    RECT client{};
    GetClientRect(parent, &client);
    HWND bar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_BOTTOM | SBARS_SIZEGRIP, 0, 0,
                               0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ResourceModule(), nullptr);
    static_cast<Window&>(*this) = Window(bar);
    if (!bar) return false;
    // Without a theme the bar honours its background colour on every system.
    SetWindowTheme(bar, L"", L"");
    return true;
}

void StatusBar::SetFixedPanes(const std::vector<int>& widths) {
    fixedWidths = widths;
    ApplyParts(ClientRect().right);
}

void StatusBar::ApplyParts(int width) const {
    std::vector<int> rights(fixedWidths.size() + 1);
    int right = width;
    for (std::size_t i = fixedWidths.size(); i > 0; --i) {
        rights[i] = right;
        right -= fixedWidths[i - 1];
    }
    rights[0] = right > 0 ? right : 0;
    if (!rights.empty()) rights.back() = -1;  // the last pane runs to the edge
    Send(SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
}

void StatusBar::SetBackground(COLORREF color) const { Send(SB_SETBKCOLOR, 0, static_cast<LPARAM>(color)); }

void StatusBar::SetPaneText(int pane, const std::string& text) const { SetPaneText(pane, os::ToWide(text)); }

void StatusBar::SetPaneText(int pane, const std::wstring& wide) const {
    const WPARAM style = pane == 0 ? SBT_NOBORDERS : 0;
    Send(SB_SETTEXTW, static_cast<WPARAM>(pane) | style, reinterpret_cast<LPARAM>(wide.c_str()));
    UpdateNow();
}

std::string StatusBar::PaneText(int pane) const {
    const LRESULT info = Send(SB_GETTEXTLENGTHW, static_cast<WPARAM>(pane));
    std::wstring text(static_cast<std::size_t>(LOWORD(info)) + 1, L'\0');
    Send(SB_GETTEXTW, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(LOWORD(info));
    return os::ToCp932(text);
}

void StatusBar::MoveTo(int x, int y, int width, int height) {
    // CCS_BOTTOM bars place themselves on WM_SIZE; an explicit move keeps the owner's rectangle.
    SetWindowPos(Hwnd(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyParts(width);
}

int StatusBar::Height() const {
    const RECT rect = WindowRect();
    return rect.bottom - rect.top;
}

}  // namespace vondrel::win
