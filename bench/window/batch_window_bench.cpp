// Window benchmark of the batch change: the real main window with the 700 sample points all
// selected; each run changes the mark and the sound of every point through the batch dialog and
// then takes the change back with undo. Timed for the change: from the dialog's end (its window
// destroyed) until the main window's command has returned and the window (list and status bar)
// is drawn again, and also from the click on OK, which adds the dialog's hiding (in this program
// under Wine on Xvfb some 2 s, the same for the point edit dialog); for the undo: from the
// command until the same. Prints each run and the medians. Not a test: nothing is
// judged.
//   vondrel_batch_window_bench.exe [RUNS]   (run in the folder holding the marks, under Wine)
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/glorie_writer.h"
#include "os/file_io.h"
#include "resource.h"
#include "sample_points.h"
#include "ui/main_dialog.h"

namespace {

class SilentPrompts : public vondrel::win::Prompts {
    int ShowMessage(HWND, const std::string&, UINT) override { return IDOK; }
    bool ChooseFile(HWND, const vondrel::win::FileDialogOptions&, vondrel::win::FileChoice&) override { return false; }
};

double Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void DrawNow(HWND window) { RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

// The batch dialog, once it is up: the mark and the sound set as a user sets them, then OK.
double okClicked = 0;
double dialogGone = 0;
HWND batchDialog = nullptr;
int markNumber = 0;
BOOL CALLBACK FindBatchDialog(HWND window, LPARAM found) {
    wchar_t title[32] = L"";
    GetWindowTextW(window, title, 32);
    if (IsWindowVisible(window) && std::wstring(title) == L"一括変更") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}
void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBatchDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    KillTimer(nullptr, timer);
    batchDialog = dialog;
    SetDlgItemInt(dialog, IDC_BATCH_MARK_NUMBER, static_cast<UINT>(markNumber), FALSE);
    SendDlgItemMessageW(dialog, IDC_BATCH_SOUND, CB_SETCURSEL, static_cast<WPARAM>(markNumber % 10), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_BATCH_SOUND, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_BATCH_SOUND)));
    okClicked = Now();
    SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
}

LRESULT CALLBACK OnWindowEvent(int code, WPARAM window, LPARAM detail) {
    if (code == HCBT_DESTROYWND && reinterpret_cast<HWND>(window) == batchDialog) dialogGone = Now();
    return CallNextHookEx(nullptr, code, window, detail);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 9;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    vondrel::PointTable table;
    vondrel::bench::FillSamplePoints(table);
    if (!vondrel::os::WriteWholeFile(L"batch_700.xml", vondrel::GlorieBytes(table)).Ok()) return 1;

    SilentPrompts prompts;
    vondrel::MainDialog window(L"batch_700.xml", &prompts, "SOFTWARE\\Zarn\\VondrelBench");
    if (!window.CreateModeless(nullptr)) return 1;
    ShowWindow(window.Hwnd(), SW_SHOWNORMAL);
    Pump();
    SendMessageW(window.Hwnd(), WM_COMMAND, ID_SELECT_ALL, 0);
    Pump();
    if (window.Document().Count() != vondrel::kTableRows) return 1;

    SetWindowsHookExW(WH_CBT, OnWindowEvent, nullptr, GetCurrentThreadId());
    std::vector<double> changes, clicks, undos;
    for (int run = 0; run < runs; ++run) {
        markNumber = 40 + run % 10;
        SetTimer(nullptr, 0, 10, OnTimer);
        okClicked = dialogGone = 0;
        SendMessageW(window.Hwnd(), WM_COMMAND, IDC_MAIN_CHANGE, 0);
        DrawNow(window.Hwnd());
        const double changed = Now();
        const bool allChanged = window.Document().Points().Row(699).mark == vondrel::MarkDecimalToHex(std::to_string(markNumber));
        Pump();
        const double undoStart = Now();
        SendMessageW(window.Hwnd(), WM_COMMAND, ID_EDIT_UNDO, 0);
        DrawNow(window.Hwnd());
        const double undone = Now();
        Pump();
        if (okClicked == 0 || dialogGone == 0 || !allChanged) {
            std::printf("run %d: the batch change did not happen\n", run + 1);
            return 1;
        }
        changes.push_back(changed - dialogGone);
        clicks.push_back(changed - okClicked);
        undos.push_back(undone - undoStart);
        std::printf("run %d: batch change %.1f ms (from OK %.1f ms), undo %.1f ms\n", run + 1, changes.back(),
                    clicks.back(), undos.back());
    }
    std::printf("median of %d runs: batch change of 700 points %.1f ms (from OK %.1f ms), its undo %.1f ms\n", runs,
                Median(changes), Median(clicks), Median(undos));
    DestroyWindow(window.Hwnd());
    return 0;
}
