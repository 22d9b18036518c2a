// Driving a program from outside, as a user would, for the end-to-end drivers run under Wine:
// starting it as a process of its own, finding its windows by class and title, selecting rows of
// its lists, typing into its file dialog, screenshots, and closing it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace vondrel::e2e {

// A step that did not go as expected: a driver prints `what` and exits 1.
struct Failure {
    const char* what;
};
void Require(bool condition, const char* what);

// Asks `done` every 100 ms until it is true, at most `milliseconds`; whether it became true.
bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds);

// A started program: its process, ended by force when a check fails before it closed.
class Program {
public:
    Program(std::wstring commandLine, const std::wstring& folder);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD Id() const { return info.dwProcessId; }
    HANDLE Handle() const { return info.hProcess; }
    bool Ended(DWORD milliseconds) const { return WaitForSingleObject(info.hProcess, milliseconds) == WAIT_OBJECT_0; }

private:
    PROCESS_INFORMATION info{};
};

// The visible top-level window of process `id` with this class ("" any) and title (null any),
// other than `except`; WaitForWindow waits up to 30 s for it.
HWND FindWindowOf(DWORD id, const wchar_t* className, const wchar_t* title, HWND except = nullptr);
HWND WaitForWindow(DWORD id, const wchar_t* className, const wchar_t* title, HWND except = nullptr);

// The rows of a list view of another process.
int RowCount(HWND list);
// The main window "Kestrova" of `program` once its list shows `rows` points.
HWND MainWindowWithRows(const Program& program, int rows);
// Selects and focuses one row of the other process's list (other rows keep their states).
void SelectRow(const Program& program, HWND list, int row);
// Types `path` into the program's common file dialog (shown by then, owned by `owner`) and
// presses OK.
void ChooseInFileDialog(const Program& program, HWND owner, const std::wstring& path);
// A 24-bit BMP of `window` brought to the front, or of the whole screen.
void SaveScreenshot(const std::wstring& path, HWND window = nullptr);
// Closes the main window like a user (nothing unsaved) and requires the program, and the map
// bridge it started, to end.
void CloseProgram(const Program& program, HWND window);

}  // namespace vondrel::e2e
