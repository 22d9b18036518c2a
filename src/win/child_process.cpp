// Starting and watching a child process.
#include "win/child_process.h"

namespace vondrel::win {

ChildProcess ChildProcess::Start(const os::Path& program) {
    // The program's own path as its first argument, quoted for its spaces; CreateProcessW may
    // write into the command line.
    std::wstring writable = L"\"" + program.native() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ChildProcess child;
    if (CreateProcessW(program.c_str(), &writable[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        child.process.Reset(started.hProcess);
        child.thread.Reset(started.hThread);
        child.id = started.dwProcessId;
    }
    return child;
}

bool ChildProcess::Running() const { return process && WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT; }

void ChildProcess::WaitUntilIdle(DWORD milliseconds) const {
    if (process) WaitForInputIdle(process.Get(), milliseconds);
}

bool ChildProcess::WaitForEnd(DWORD milliseconds) const {
    return !process || WaitForSingleObject(process.Get(), milliseconds) != WAIT_TIMEOUT;
}

void ChildProcess::Terminate(UINT exitCode) const {
    if (process) TerminateProcess(process.Get(), exitCode);
}

}  // namespace vondrel::win
