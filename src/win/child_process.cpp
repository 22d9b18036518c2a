// Starting and watching a child process.
#include "win/child_process.h"

namespace vondrel::win {

ChildProcess ChildProcess::Start(const std::wstring& commandLine) {
    std::wstring writable = commandLine;  // CreateProcessW may write into the command line
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ChildProcess child;
    if (CreateProcessW(nullptr, &writable[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
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
