// Driving a program from outside by messages, for the end-to-end drivers run under Wine.
#include "e2e/window_driving.h"

#include <commctrl.h>

#include <cstdio>
#include <cwchar>

#include "resource.h"

namespace vondrel::e2e {

void Require(bool condition, const char* what) {
    if (!condition) throw Failure{what};
}

bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds) {
    for (DWORD waited = 0;; waited += 100) {
        if (done()) return true;
        if (waited >= milliseconds) return false;
        Sleep(100);
    }
}

Program::Program(std::wstring commandLine, const std::wstring& folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    Require(CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                           &info) != FALSE,
            "the program did not start");
    CloseHandle(info.hThread);
}

Program::~Program() {
    if (WaitForSingleObject(info.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hProcess);
}

namespace {
// What FindWindowOf looks for, and what it found.
struct WindowSearch {
    DWORD id;
    const wchar_t* className;
    const wchar_t* title;
    HWND except;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t text[256] = L"", name[64] = L"";
    GetWindowTextW(window, text, 256);
    GetClassNameW(window, name, 64);
    if (owner != search.id || window == search.except || !IsWindowVisible(window)) return TRUE;
    if (*search.className && wcscmp(name, search.className) != 0) return TRUE;
    if (search.title && wcscmp(text, search.title) != 0) return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

HWND FindWindowOf(DWORD id, const wchar_t* className, const wchar_t* title, HWND except) {
    WindowSearch search{id, className, title, except, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(DWORD id, const wchar_t* className, const wchar_t* title, HWND except) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindWindowOf(id, className, title, except)) != nullptr; }, 30000);
    return window;
}

int RowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

HWND MainWindowWithRows(const Program& program, int rows) {
    HWND window = WaitForWindow(program.Id(), L"", L"Kestrova");
    Require(window != nullptr, "no window titled Kestrova appeared");
    Require(WaitUntil([&] { return RowCount(GetDlgItem(window, IDC_MAIN_POINTS)) == rows; }, 10000), "the list does not show the file's points");
    return window;
}

// The item travels in the other process's memory.
void SelectRow(const Program& program, HWND list, int row) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = item.stateMask;
    void* remote = VirtualAllocEx(program.Handle(), nullptr, sizeof item, MEM_COMMIT, PAGE_READWRITE);
    Require(remote && WriteProcessMemory(program.Handle(), remote, &item, sizeof item, nullptr),
            "no memory in the program for a list item");
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
    VirtualFreeEx(program.Handle(), remote, 0, MEM_RELEASE);
}

void ChooseInFileDialog(const Program& program, HWND owner, const std::wstring& path) {
    HWND dialog = WaitForWindow(program.Id(), L"#32770", nullptr, owner);
    Require(dialog != nullptr, "no file dialog appeared");
    HWND name = GetDlgItem(dialog, 0x47C);  // the explorer-style dialog's file name box
    if (!name) name = GetDlgItem(dialog, 0x480);
    Require(name != nullptr, "the file dialog has no file name box");
    // The dialog may still fill in its default name after it shows: type until the text stays.
    const auto holdsPath = [&] {
        wchar_t typed[1024] = L"";
        SendMessageW(name, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(typed));  // another process's box
        return path == typed;
    };
    Require(WaitUntil([&] {
                if (!holdsPath()) SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
                Sleep(200);
                return holdsPath();
            }, 10000),
            "the file name box does not keep the typed name");
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    Require(WaitUntil([&] { return !IsWindow(dialog); }, 10000), "the file dialog did not close");
}

void SaveScreenshot(const std::wstring& path, HWND window) {
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (window) {
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        UpdateWindow(window);
        GetWindowRect(window, &area);
    }
    const int width = area.right - area.left, height = area.bottom - area.top;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = ((static_cast<DWORD>(width) * 3 + 3) & ~3u) * height;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    if (FILE* out = _wfopen(path.c_str(), L"wb")) {
        fwrite(&file, sizeof file, 1, out);
        fwrite(&header, sizeof header, 1, out);
        fwrite(bits, header.biSizeImage, 1, out);
        fclose(out);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

void CloseProgram(const Program& program, HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    Require(program.Ended(30000), "the program did not end after its window was closed");
    Require(WaitUntil([] { return FindWindowW(nullptr, L"Tarvix") == nullptr; }, 10000),
            "the map bridge stayed open after the program ended");
}

}  // namespace vondrel::e2e
