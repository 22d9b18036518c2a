// End-to-end check from outside the program: starts Vondrel.exe with a point file as a process
// of its own, waits for the top-level window "Kestrova" with the file's rows, closes it like a
// user would (nothing modified), and requires the process to end. With "click", 終了 gets a
// BM_CLICK (as UI Automation's Invoke sends it) and the process must end within 2 s.
//   vondrel_e2e_start_and_close.exe PROGRAM FILE EXPECTED_ROWS [click]
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {
int Fail(const char* what) {
    std::printf("FAIL: %s\n", what);
    return 1;
}

HWND WaitForWindow(const wchar_t* title, DWORD milliseconds) {
    for (DWORD waited = 0; waited < milliseconds; waited += 100) {
        HWND window = FindWindowW(nullptr, title);
        if (window && IsWindowVisible(window)) return window;
        Sleep(100);
    }
    return nullptr;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4 && argc != 5) return Fail("usage: PROGRAM FILE EXPECTED_ROWS [click]");
    const bool click = argc == 5;
    std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\" \"" + argv[2] + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return Fail("the program did not start");
    }
    const DWORD started = GetTickCount();
    HWND window = WaitForWindow(L"Kestrova", 30000);
    if (!window) {
        TerminateProcess(process.hProcess, 1);
        return Fail("no top-level window titled Kestrova appeared");
    }
    std::printf("window after %lu ms\n", static_cast<unsigned long>(GetTickCount() - started));
    DWORD windowProcess = 0;
    GetWindowThreadProcessId(window, &windowProcess);
    if (windowProcess != process.dwProcessId) return Fail("the window belongs to another process");

    const int expectedRows = _wtoi(argv[3]);
    HWND list = GetDlgItem(window, 1000);
    int rows = -1;
    for (int attempt = 0; attempt < 50 && rows != expectedRows; ++attempt) {
        rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        if (rows != expectedRows) Sleep(100);
    }
    if (rows != expectedRows) {
        std::printf("rows: %d, expected %d\n", rows, expectedRows);
        TerminateProcess(process.hProcess, 1);
        return Fail("the list does not show the file's points");
    }

    const DWORD closed = GetTickCount();
    if (click) {
        SendMessageW(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
    } else {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, click ? 2000 : 30000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        return Fail("the process did not end after its window was closed");
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::printf("PASS: window shown with %d rows, process ended %lu ms after the close\n", rows,
                static_cast<unsigned long>(GetTickCount() - closed));
    return 0;
}
