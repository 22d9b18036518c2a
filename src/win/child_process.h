// ChildProcess: a program this one started, owning its process and thread handles.
#pragma once

#include <windows.h>

#include <string>

#include "win/owned_handle.h"

namespace vondrel::win {

class ChildProcess {
public:
    // Starts `commandLine` (the program is looked up as CreateProcess does). An empty object
    // when it could not be started.
    static ChildProcess Start(const std::wstring& commandLine);

    explicit operator bool() const { return static_cast<bool>(process); }
    DWORD Id() const { return id; }
    // True while the process has not ended.
    bool Running() const;
    // Waits until the process waits for input, at most `milliseconds`.
    void WaitUntilIdle(DWORD milliseconds) const;
    // Waits for the end, at most `milliseconds`; true when the process has ended.
    bool WaitForEnd(DWORD milliseconds) const;
    void Terminate(UINT exitCode) const;

private:
    KernelHandle process;
    KernelHandle thread;
    DWORD id = 0;
};

}  // namespace vondrel::win
