// Runs the uninstaller proper from a temporary folder on the install folder, and waits for it.
#include "setup/uninstall_launcher.h"

#include <windows.h>

#include <string>

#include "setup/install_record.h"
#include "os/win32_owned.h"

namespace vondrel::setup {

namespace {
std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return path.substr(0, length);
        path.resize(path.size() * 2);
    }
}

std::wstring TempFolder() {  // with a trailing backslash
    wchar_t buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    return length == 0 || length > MAX_PATH ? std::wstring() : std::wstring(buffer, length);
}

// What follows the program's name on the command line: the switches, passed on as they are.
std::wstring Switches() {
    const wchar_t* line = GetCommandLineW();
    for (bool quoted = false; *line && (quoted || (*line != L' ' && *line != L'\t')); ++line) {
        if (*line == L'"') quoted = !quoted;
    }
    while (*line == L' ' || *line == L'\t') ++line;
    return line;
}

bool Silent(const std::wstring& switches) {
    return (L" " + switches + L" ").find(L" /S ") != std::wstring::npos;
}

std::wstring Wide(const char* ascii) { return std::wstring(ascii, ascii + std::char_traits<char>::length(ascii)); }
}  // namespace

int RunUninstaller() {
    const std::wstring self = ModulePath();
    const std::size_t slash = self.rfind(L'\\');
    const std::wstring switches = Switches();
    const std::wstring temp = TempFolder();
    if (slash == std::wstring::npos || temp.empty()) return 2;
    const std::wstring folder = self.substr(0, slash);
    const std::wstring id = std::to_wstring(GetCurrentProcessId());
    const std::wstring work = temp + L"Vondrel-uninstall-" + id;
    const std::wstring uninstaller = work + L"\\" + Wide(kLauncherName);
    const std::wstring source = folder + L"\\" + Wide(kUninstallerName);
    if ((!CreateDirectoryW(work.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) ||
        !CopyFileW(source.c_str(), uninstaller.c_str(), FALSE)) {
        RemoveDirectoryW(work.c_str());
        if (!Silent(switches)) {
            MessageBoxW(nullptr, (L"アンインストールできません。/ Cannot uninstall:\n" + source).c_str(), L"Vondrel",
                        MB_OK | MB_ICONSTOP);
        }
        return 2;
    }
    // Out of the install folder: into the temporary folder, else beside the install folder (on
    // its volume, when the temporary folder is on another).
    std::wstring moved = work + L"\\launcher.exe";
    if (!MoveFileExW(self.c_str(), moved.c_str(), 0)) {
        moved = folder + L".uninstall-" + id + L".tmp";
        if (!MoveFileExW(self.c_str(), moved.c_str(), 0)) moved.clear();
    }

    std::wstring command = L"\"" + uninstaller + L"\" " + switches + L" _?=" + folder;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    DWORD code = 2;
    if (CreateProcessW(uninstaller.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, work.c_str(), &startup,
                       &started)) {
        const os::KernelHandle process(started.hProcess);
        const os::KernelHandle thread(started.hThread);
        WaitForSingleObject(process.Get(), INFINITE);
        if (!GetExitCodeProcess(process.Get(), &code)) code = 2;
    }

    if (code != 0 && !moved.empty()) {
        MoveFileExW(moved.c_str(), self.c_str(), 0);  // the program stays, and so does its uninstaller
    } else if (code == 0) {
        // A running program's file goes when the system next starts.
        MoveFileExW(moved.empty() ? self.c_str() : moved.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
        if (moved.empty()) MoveFileExW(folder.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    }
    DeleteFileW(uninstaller.c_str());
    if (!RemoveDirectoryW(work.c_str())) MoveFileExW(work.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    return static_cast<int>(code);
}

}  // namespace vondrel::setup
