// Drives a released Vondrel.exe from outside, as a user would, for tests/packaging/check_package.sh
// under Wine (window_driving.h: started as a process of its own, driven by messages).
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
//   vondrel_package_driver sleep SECONDS   (run as a copy named Vondrel.exe)
//       a process of the program's name without a window, for the setup's checks
// Prints "PASS: ..." and exits 0, or "FAIL: what" and exits 1.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "e2e/window_driving.h"
#include "resource.h"

namespace {

using namespace vondrel::e2e;

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
    Require(RowCount(list) == rows - 1, "Delete did not delete the selected point");

    PostMessageW(window, WM_COMMAND, ID_FILE_SAVE_AS, 0);
    ChooseInFileDialog(program, window, savePath);
    Require(WaitUntil([&] { return Count(FileBytes(savePath), "<poi>") == rows - 1; }, 10000),
            "the saved file does not hold the remaining points");

    HWND mapButton = GetDlgItem(window, IDC_MAIN_SHOW_MAP);
    Require(IsWindowEnabled(mapButton) != FALSE, "the map button is disabled: Tarvix2.exe not found in the working folder");
    PostMessageW(mapButton, BM_CLICK, 0, 0);
    HWND map = nullptr;
    Require(WaitUntil([&] { return (map = FindWindowW(nullptr, L"Tarvix")) != nullptr; }, 30000), "the map did not open");
    SetWindowPos(map, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);  // the map in front
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
        } else if (mode == L"sleep" && argc == 3) {
            Sleep(static_cast<DWORD>(_wtoi(argv[2])) * 1000);
        } else {
            std::printf("usage: portable FOLDER SAMPLE ROWS SAVE_NAME SHOT.bmp | shortcut LINK SAMPLE ROWS SHOT.bmp | "
                        "openwith PROGID FILE ROWS | sleep SECONDS\n");
            return 2;
        }
    } catch (const Failure& failure) {
        std::printf("FAIL: %s\n", failure.what);
        return 1;
    }
    return 0;
}
