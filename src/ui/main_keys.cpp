// The main window's message loop and its keyboard: which accelerator table a key goes through
// (every key in the main list, no text keys in an edit), the find box's dialog keys, and Esc,
// which does nothing on the main window (closing is 終了, the close box or the File menu).
#include "ui/main_dialog.h"

namespace vondrel {

namespace {
bool IsEdit(HWND window) {
    wchar_t name[16] = L"";
    GetClassNameW(window, name, 16);
    return lstrcmpiW(name, L"Edit") == 0;
}

bool IsWithin(HWND window, HWND ancestor) { return window == ancestor || IsChild(ancestor, window); }
}  // namespace

void MainDialog::Run() {
    // The window's end posts the quit that ends this loop (OnDestroy), however it ends: also when
    // it is destroyed while the loop waits, as when 終了 gets a BM_CLICK sent by another program.
    endsLoop = true;
    if (!CreateModeless(nullptr)) return;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // WM_QUIT from outside (or a broken queue): the window goes as after a close.
    if (Hwnd()) DestroyWindow(Hwnd());
}

bool MainDialog::PreTranslate(MSG& message) {
    if (!Hwnd()) return false;
    const bool key = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
    if (findBox.IsOpen() && IsWithin(message.hwnd, findBox.Hwnd())) {
        // The find box's edit keeps its text keys; F3 and the file keys still reach the window.
        if (key && TranslateAcceleratorW(Hwnd(), textKeys, &message)) return true;
        return IsDialogMessageW(findBox.Hwnd(), &message) != FALSE;
    }
    if (!IsWithin(message.hwnd, Hwnd())) return false;
    if (key) {
        if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) return true;
        const HACCEL keys = message.hwnd == pointList.Hwnd() ? listKeys : IsEdit(message.hwnd) ? textKeys : windowKeys;
        if (TranslateAcceleratorW(Hwnd(), keys, &message)) return true;
    }
    return IsDialogMessageW(Hwnd(), &message) != FALSE;
}

}  // namespace vondrel
