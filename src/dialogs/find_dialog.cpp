// The find box: opening it with the last text, handing the text on, closing it.
#include "dialogs/find_dialog.h"

#include <utility>

#include "resource.h"

namespace vondrel {

FindDialog::FindDialog(std::function<void(const std::string&)> onFindNext)
    : Dialog(IDD_FIND), findNext(std::move(onFindNext)) {}

void FindDialog::Open(HWND owner) {
    if (!IsOpen()) CreateModeless(owner);
    if (!IsOpen()) return;
    ShowWindow(Hwnd(), SW_SHOW);
    SetActiveWindow(Hwnd());
    Self().Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_FIND_TEXT).Hwnd()), TRUE);
}

BOOL FindDialog::OnInitDialog() {
    Item(IDC_FIND_TEXT).SetText(text);
    return TRUE;
}

void FindDialog::KeepClearOf(const RECT& area) const {
    if (!IsOpen()) return;
    const RECT box = Self().WindowRect();
    RECT overlap{};
    if (!IntersectRect(&overlap, &box, &area)) return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &monitor);
    const int height = box.bottom - box.top;
    constexpr int kGap = 8;
    const int below = area.bottom + kGap;
    const int top = below + height <= monitor.rcWork.bottom ? below : area.top - kGap - height;
    SetWindowPos(Hwnd(), nullptr, box.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FindDialog::OnOK() {
    text = Item(IDC_FIND_TEXT).GetText();
    if (findNext) findNext(text);
}

void FindDialog::OnCancel() {
    text = Item(IDC_FIND_TEXT).GetText();
    End(IDCANCEL);
}

}  // namespace vondrel
