// Dialog base: template-driven modal and modeless runs and message-map dispatch.
#include "win/dialog.h"

#include <exception>
#include <utility>

#include "win/prompts.h"

namespace vondrel::win {

namespace {
// Posted to a dialog whose handler let an exception escape: report what was queued.
UINT ReportEscapedMessage() {
    static const UINT message = RegisterWindowMessageW(L"Vondrel.ReportEscaped");
    return message;
}

// The text for the exception being handled.
std::string EscapedText() {
    const std::string text = "予期しないエラーのため、操作を最後まで行えませんでした。";
    try {
        throw;
    } catch (const std::exception& e) {
        return text + "\n\n" + e.what();
    } catch (...) {
        return text;
    }
}
}  // namespace

HINSTANCE ResourceModule() { return GetModuleHandleW(nullptr); }

Dialog::Dialog(int id) : templateId(id) {}

Dialog::~Dialog() {
    // Unbind first so no message reaches a half-destroyed object.
    if (hwnd) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        if (!modal) DestroyWindow(hwnd);
    }
}

INT_PTR Dialog::RunModal(HWND owner) {
    modal = true;
    result = DialogBoxParamW(ResourceModule(), MAKEINTRESOURCEW(templateId), owner, &Dialog::DialogProc,
                             reinterpret_cast<LPARAM>(this));
    hwnd = nullptr;
    return result;
}

HWND Dialog::CreateModeless(HWND owner) {
    modal = false;
    result = -1;
    return CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(templateId), owner, &Dialog::DialogProc,
                              reinterpret_cast<LPARAM>(this));
}

void Dialog::End(INT_PTR value) {
    result = value;
    if (!hwnd) return;
    if (modal) {
        EndDialog(hwnd, value);
    } else {
        DestroyWindow(hwnd);
    }
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->hwnd = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;  // messages before WM_INITDIALOG, or after unbinding
    INT_PTR handled = FALSE;
    try {
        handled = self->Dispatch(message, wParam, lParam);
    } catch (...) {
        self->CatchEscaped();
        handled = FALSE;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->hwnd = nullptr;
        self->ReportEscaped();  // the post can no longer arrive
    }
    return handled;
}

Dialog* Dialog::FromWindow(HWND window) {
    const LONG_PTR procedure = reinterpret_cast<LONG_PTR>(&Dialog::DialogProc);
    if (!window || GetWindowLongPtrW(window, DWLP_DLGPROC) != procedure) return nullptr;
    return reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
}

void Dialog::CatchEscaped() {
    escaped.push_back(EscapedText());
    if (!hwnd || !PostMessageW(hwnd, ReportEscapedMessage(), 0, 0)) ReportEscaped();
}

void Dialog::ReportEscaped() {
    std::vector<std::string> texts;
    texts.swap(escaped);
    for (const std::string& text : texts) {
        try {
            ReportError(text);
        } catch (...) {
            // A report that fails itself has nowhere left to go; it must not cross user32 either.
        }
    }
}

void Dialog::ReportError(const std::string& text) { SystemPrompts().ShowMessage(hwnd, text, MB_OK | MB_ICONERROR); }

bool Dialog::DispatchCommand(int id, int code) {
    for (const CommandEntry& entry : commands) {
        if (entry.id != id) continue;
        if (entry.code == kAnyClick ? (code == 0 || code == 1) : entry.code == code) {
            entry.handler();
            return true;
        }
    }
    return false;
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == ReportEscapedMessage()) {
        ReportEscaped();
        return TRUE;
    }
    if (message == WM_INITDIALOG) {
        const RECT before = Self().WindowRect();
        const BOOL focusDefault = OnInitDialog();
        CenterIfNotMoved(before);
        return focusDefault;
    }
    if (message == WM_COMMAND) {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (DispatchCommand(id, code)) return TRUE;
        if (code == BN_CLICKED || code == 1) {
            if (id == IDOK) {
                OnOK();
                return TRUE;
            }
            if (id == IDCANCEL) {
                OnCancel();
                return TRUE;
            }
        }
        return FALSE;
    }
    if (message == WM_NOTIFY) {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        for (const NotifyEntry& entry : notifies) {
            if (static_cast<UINT_PTR>(entry.id) == header->idFrom && entry.code == header->code) {
                SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, entry.handler(header));
                return TRUE;
            }
        }
        return FALSE;
    }
    for (const MessageEntry& entry : messages) {
        if (entry.message != message) continue;
        LRESULT value = 0;
        if (!entry.handler(wParam, lParam, value)) return FALSE;
        switch (message) {
            case WM_CTLCOLORMSGBOX:
            case WM_CTLCOLOREDIT:
            case WM_CTLCOLORLISTBOX:
            case WM_CTLCOLORBTN:
            case WM_CTLCOLORDLG:
            case WM_CTLCOLORSCROLLBAR:
            case WM_CTLCOLORSTATIC:
            case WM_QUERYDRAGICON:
            case WM_COMPAREITEM:
            case WM_VKEYTOITEM:
            case WM_CHARTOITEM:
                return static_cast<INT_PTR>(value);
            default:
                if (hwnd) SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, value);
                return TRUE;
        }
    }
    return FALSE;
}

void Dialog::CenterIfNotMoved(const RECT& before) {
    const RECT after = Self().WindowRect();
    if (placeKept || !EqualRect(&before, &after) || (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD)) return;
    HWND owner = GetWindow(hwnd, GW_OWNER);
    RECT area{};
    if (owner && IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &area);
    } else {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &info);
        area = info.rcWork;
    }
    const int width = after.right - after.left;
    const int height = after.bottom - after.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    // Keep the whole window on its monitor.
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &info);
    if (x + width > info.rcWork.right) x = info.rcWork.right - width;
    if (y + height > info.rcWork.bottom) y = info.rcWork.bottom - height;
    if (x < info.rcWork.left) x = info.rcWork.left;
    if (y < info.rcWork.top) y = info.rcWork.top;
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace vondrel::win
