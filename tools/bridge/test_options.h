// Tarvix2.exe's test options (a log of events, ignoring WM_CLOSE), read from the environment
// and the command line, and the log file that events are written to line by line.
#pragma once

#include <windows.h>

#include <string>

namespace vondrel::tarvix {

struct Options {
    std::wstring logPath;
    bool ignoreClose = false;
};

// TARVIX_LOG=PATH and TARVIX_IGNORE_CLOSE=1, then --log=PATH and --ignore-close.
Options ReadOptions();

// Lines are appended with one write each and flushed, so another process can read them at once.
class LogFile {
public:
    LogFile() = default;
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;
    ~LogFile();

    // Opens (creating when missing) the log at `path`; no log when it is empty.
    void Open(const std::wstring& path);
    void Line(const std::string& text);

private:
    HANDLE file = INVALID_HANDLE_VALUE;
};

}  // namespace vondrel::tarvix
