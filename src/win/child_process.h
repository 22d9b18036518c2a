// ChildProcess: a program this one started, owning its process and thread handles.
#pragma once

#include <windows.h>

#include <string>

#include "os/path.h"
#include "os/win32_owned.h"

namespace vondrel::win {

class ChildProcess {
public:
    // Starts the program at `program` (a full path: nothing is searched for it, so no program
    // of the same name in the current folder or on the PATH runs instead). An empty object when
    // it could not be started.
    static ChildProcess Start(const os::Path& program);

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
    os::KernelHandle process;
    os::KernelHandle thread;
    DWORD id = 0;
};

}  // namespace vondrel::win
