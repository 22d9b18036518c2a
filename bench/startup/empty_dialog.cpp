// The yardstick for start-up time: a program that only shows an empty dialog from a template
// ("VondrelEmpty") and ends when it is closed. Built and run the same way as Vondrel.exe.
#include <windows.h>

namespace {
INT_PTR CALLBACK EmptyProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    DialogBoxParamW(instance, MAKEINTRESOURCEW(1), nullptr, &EmptyProc, 0);
    return 0;
}
