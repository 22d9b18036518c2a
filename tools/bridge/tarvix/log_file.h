// A log of ASCII lines for tests: each line is appended with one write and flushed, so another
// process can read it at once; lines from several threads do not mix. No path, no log.
#pragma once

#include <string>

#include "os/win32_owned.h"

namespace vondrel::tarvix {

class LogFile {
public:
    void Open(const std::wstring& path);
    void Line(const std::string& text) const;
    bool IsOpen() const { return static_cast<bool>(file); }

private:
    os::FileHandle file;
};

}  // namespace vondrel::tarvix
