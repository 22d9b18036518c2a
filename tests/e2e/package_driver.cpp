// Drives a released Vondrel.exe from outside, as a user would, for scripts/check-package.sh under
// Wine: starts it as a process of its own, finds its windows by title and drives them by messages.
//   vondrel_package_driver portable FOLDER SAMPLE ROWS SAVE_NAME SHOT.bmp
//       unpacked zip: start FOLDER\Vondrel.exe in FOLDER with FOLDER\SAMPLE (ROWS points), delete
//       the first point, save as SAVE_NAME in the user's Documents folder through the real file
//       dialog, show the map, take a screenshot, close
//   vondrel_package_driver shortcut LINK SAMPLE ROWS SHOT.bmp
//       installed program: start what the shortcut LINK starts, in its working folder, with
//       SAMPLE added to its arguments (a file dropped on the shortcut); the working folder must
//       be the program's folder and the map button usable; take a screenshot, close
//   vondrel_package_driver openwith PROGID FILE ROWS
//       the "Open with" entry: run PROGID's open command for FILE in FILE's folder, close
// Prints "PASS: ..." and exits 0, or "FAIL: what" and exits 1.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>

#include "resource.h"

namespace {

struct Failure {
    const char* what;
};

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

// A started program: its process, ended by force when a check fails before it closed.
class Program {
public:
    Program(std::wstring commandLine, const std::wstring& folder) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        Require(CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                               &info) != FALSE,
                "the program did not start");
        CloseHandle(info.hThread);
    }
    ~Program() {
        if (WaitForSingleObject(info.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hProcess);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD Id() const { return info.dwProcessId; }
    HANDLE Handle() const { return info.hProcess; }
    bool Ended(DWORD milliseconds) const { return WaitForSingleObject(info.hProcess, milliseconds) == WAIT_OBJECT_0; }

private:
    PROCESS_INFORMATION info{};
};

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

// The visible top-level window of process `id` with this class ("" any) and title (null any),
// other than `except`.
HWND FindWindowOf(DWORD id, const wchar_t* className, const wchar_t* title, HWND except = nullptr) {
    WindowSearch search{id, className, title, except, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(DWORD id, const wchar_t* className, const wchar_t* title, HWND except = nullptr) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindWindowOf(id, className, title, except)) != nullptr; }, 30000);
    return window;
}

int Rows(HWND window) {
    return static_cast<int>(SendMessageW(GetDlgItem(window, IDC_MAIN_POINTS), LVM_GETITEMCOUNT, 0, 0));
}

// The main window of `program` once it lists `rows` points.
HWND MainWindowWithRows(const Program& program, int rows) {
    HWND window = WaitForWindow(program.Id(), L"", L"Kestrova");
    Require(window != nullptr, "no window titled Kestrova appeared");
    Require(WaitUntil([&] { return Rows(window) == rows; }, 10000), "the list does not show the file's points");
    return window;
}

// Selects one row of the other process's list: the item travels in that process's memory.
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

// Types `path` into the program's common file dialog (shown by then) and presses OK.
void ChooseInFileDialog(const Program& program, HWND owner, const std::wstring& path) {
    HWND dialog = WaitForWindow(program.Id(), L"#32770", nullptr, owner);
    Require(dialog != nullptr, "no file dialog appeared");
    HWND name = GetDlgItem(dialog, 0x47C);  // the explorer-style dialog's file name box
    if (!name) name = GetDlgItem(dialog, 0x480);
    Require(name != nullptr, "the file dialog has no file name box");
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    Require(WaitUntil([&] { return !IsWindow(dialog); }, 10000), "the file dialog did not close");
}

// The whole screen as a 24-bit BMP file.
void SaveScreenshot(const std::wstring& path) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
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
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
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

// Closes the main window like a user (nothing unsaved) and requires the program, and the map
// bridge it started, to end.
void CloseProgram(const Program& program, HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    Require(program.Ended(30000), "the program did not end after its window was closed");
    Require(WaitUntil([] { return FindWindowW(nullptr, L"Tarvix") == nullptr; }, 10000),
            "the map bridge stayed open after the program ended");
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

std::string FileBytes(const std::wstring& path) {
    std::string bytes;
    if (FILE* in = _wfopen(path.c_str(), L"rb")) {
        char buffer[65536];
        for (size_t got; (got = fread(buffer, 1, sizeof buffer, in)) > 0;) bytes.append(buffer, got);
        fclose(in);
    }
    return bytes;
}

int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

void Portable(const std::wstring& folder, const std::wstring& sample, int rows, const std::wstring& saveName,
              const std::wstring& shot) {
    wchar_t documents[MAX_PATH] = L"";
    Require(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents) == S_OK,
            "no Documents folder");
    const std::wstring savePath = std::wstring(documents) + L"\\" + saveName;
    Program program(Quoted(folder + L"\\Vondrel.exe") + L" " + Quoted(folder + L"\\" + sample), folder);
    HWND window = MainWindowWithRows(program, rows);

    HWND list = GetDlgItem(window, IDC_MAIN_POINTS);
    SelectRow(program, list, 0);
    SendMessageW(GetDlgItem(window, IDC_MAIN_DELETE), BM_CLICK, 0, 0);
    Require(Rows(window) == rows - 1, "Delete did not delete the selected point");

    PostMessageW(window, WM_COMMAND, ID_FILE_SAVE_AS, 0);
    ChooseInFileDialog(program, window, savePath);
    Require(WaitUntil([&] { return Count(FileBytes(savePath), "<poi>") == rows - 1; }, 10000),
            "the saved file does not hold the remaining points");

    HWND mapButton = GetDlgItem(window, IDC_MAIN_SHOW_MAP);
    Require(IsWindowEnabled(mapButton) != FALSE, "the map button is disabled: Tarvix2.exe not found in the working folder");
    PostMessageW(mapButton, BM_CLICK, 0, 0);
    HWND map = nullptr;
    Require(WaitUntil([&] { return (map = FindWindowW(nullptr, L"Tarvix")) != nullptr; }, 30000), "the map did not open");
    SetWindowPos(map, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);  // the map in front for the screenshot
    Sleep(1500);  // the map draws its grid and the failed tiles
    SaveScreenshot(shot);
    CloseProgram(program, window);
    std::printf("PASS: portable program opened %d points, deleted one, saved them, showed the map, closed\n", rows);
}

void Shortcut(const std::wstring& linkPath, const std::wstring& sample, int rows, const std::wstring& shot) {
    Require(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)), "COM did not start");
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    wchar_t target[MAX_PATH] = L"", arguments[1024] = L"", folder[MAX_PATH] = L"";
    Require(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                       reinterpret_cast<void**>(&link))),
            "no shell link object");
    const bool loaded = SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
                        SUCCEEDED(file->Load(linkPath.c_str(), STGM_READ)) &&
                        SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, 0)) &&
                        SUCCEEDED(link->GetArguments(arguments, 1024)) &&
                        SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH));
    if (file) file->Release();
    link->Release();
    Require(loaded, "the shortcut could not be read");
    std::wprintf(L"shortcut: \"%ls\" [%ls] in \"%ls\"\n", target, arguments, folder);
    Require(_wcsicmp(folder, FolderOf(target).c_str()) == 0, "the shortcut's working folder is not the program's folder");

    std::wstring commandLine = Quoted(target);
    if (*arguments) commandLine += L" " + std::wstring(arguments);
    Program program(commandLine + L" " + Quoted(sample), folder);
    HWND window = MainWindowWithRows(program, rows);
    Require(IsWindowEnabled(GetDlgItem(window, IDC_MAIN_SHOW_MAP)) != FALSE, "the map button is disabled in the installed program");
    Sleep(500);
    SaveScreenshot(shot);
    CloseProgram(program, window);
    CoUninitialize();
    std::printf("PASS: installed program started through its shortcut showed %d points and closed\n", rows);
}

void OpenWith(const std::wstring& progId, const std::wstring& path, int rows) {
    wchar_t command[1024] = L"";
    DWORD size = sizeof command;
    Require(RegGetValueW(HKEY_CLASSES_ROOT, (progId + L"\\shell\\open\\command").c_str(), nullptr, RRF_RT_REG_SZ,
                         nullptr, command, &size) == ERROR_SUCCESS,
            "the ProgID has no open command");
    std::wstring commandLine = command;
    const size_t at = commandLine.find(L"%1");
    Require(at != std::wstring::npos, "the open command takes no file");
    commandLine.replace(at, 2, path);
    Program program(commandLine, FolderOf(path));
    CloseProgram(program, MainWindowWithRows(program, rows));
    std::printf("PASS: \"Open with\" opened %d points and closed\n", rows);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    try {
        if (mode == L"portable" && argc == 7) {
            Portable(argv[2], argv[3], _wtoi(argv[4]), argv[5], argv[6]);
        } else if (mode == L"shortcut" && argc == 6) {
            Shortcut(argv[2], argv[3], _wtoi(argv[4]), argv[5]);
        } else if (mode == L"openwith" && argc == 5) {
            OpenWith(argv[2], argv[3], _wtoi(argv[4]));
        } else {
            std::printf("usage: portable FOLDER SAMPLE ROWS SAVE_NAME SHOT.bmp | shortcut LINK SAMPLE ROWS SHOT.bmp | "
                        "openwith PROGID FILE ROWS\n");
            return 2;
        }
    } catch (const Failure& failure) {
        std::printf("FAIL: %s\n", failure.what);
        return 1;
    }
    return 0;
}
