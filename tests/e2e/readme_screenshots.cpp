// Takes the README's screenshots of Vondrel.exe under Wine, for scripts/screenshots.sh: the main
// window with a sample, the edit dialog of its first point, the import pane with a GPX file, and
// the map showing the first points.
//   vondrel_readme_screenshots FOLDER SAMPLE ROWS IMPORT_FILE OUT_FOLDER
// starts FOLDER\Vondrel.exe in FOLDER with SAMPLE (ROWS points) and writes main.bmp, edit.bmp,
// import.bmp and map.bmp into OUT_FOLDER. Prints "PASS: ..." and exits 0, or "FAIL: what", 1.
#include <windows.h>

#include <cstdio>
#include <string>

#include "e2e/window_driving.h"
#include "resource.h"

namespace {

using namespace vondrel::e2e;

constexpr int kMapRows = 6;  // the points shown on the map

void TakeScreenshots(const std::wstring& folder, const std::wstring& sample, int rows, const std::wstring& importFile,
                     const std::wstring& out) {
    Program program(L"\"" + folder + L"\\Vondrel.exe\" \"" + sample + L"\"", folder);
    HWND window = MainWindowWithRows(program, rows);
    HWND list = GetDlgItem(window, IDC_MAIN_POINTS);
    SelectRow(program, list, 0);
    Sleep(300);
    SaveScreenshot(out + L"\\main.bmp", window);

    PostMessageW(GetDlgItem(window, IDC_MAIN_CHANGE), BM_CLICK, 0, 0);
    HWND edit = WaitForWindow(program.Id(), L"#32770", nullptr, window);
    Require(edit != nullptr, "the edit dialog did not open");
    Sleep(300);
    SaveScreenshot(out + L"\\edit.bmp", edit);
    PostMessageW(edit, WM_COMMAND, IDCANCEL, 0);
    Require(WaitUntil([&] { return !IsWindow(edit); }, 10000), "the edit dialog did not close");

    PostMessageW(window, WM_COMMAND, ID_FILE_IMPORT, 0);
    ChooseInFileDialog(program, window, importFile);
    HWND imported = GetDlgItem(window, IDC_MAIN_IMPORT_LIST);
    Require(WaitUntil([&] { return RowCount(imported) > 0; }, 10000), "the import pane shows no points of the file (does it read that format?)");
    PostMessageW(window, WM_COMMAND, ID_VIEW_IMPORT, 0);
    Sleep(500);
    SaveScreenshot(out + L"\\import.bmp", window);
    PostMessageW(window, WM_COMMAND, ID_VIEW_EDIT, 0);

    for (int row = 0; row < kMapRows && row < rows; ++row) SelectRow(program, list, row);
    PostMessageW(GetDlgItem(window, IDC_MAIN_SHOW_MAP), BM_CLICK, 0, 0);
    HWND map = nullptr;
    Require(WaitUntil([&] { return (map = FindWindowW(nullptr, L"Tarvix")) != nullptr; }, 30000), "the map did not open");
    Sleep(3000);  // the tiles arrive from the loopback server
    SaveScreenshot(out + L"\\map.bmp", map);

    CloseProgram(program, window);
    std::printf("PASS: main window, edit dialog, import pane and map taken\n");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 6) {
        std::printf("usage: FOLDER SAMPLE ROWS IMPORT_FILE OUT_FOLDER\n");
        return 2;
    }
    try {
        TakeScreenshots(argv[1], argv[2], _wtoi(argv[3]), argv[4], argv[5]);
    } catch (const Failure& failure) {
        std::printf("FAIL: %s\n", failure.what);
        return 1;
    }
    return 0;
}
