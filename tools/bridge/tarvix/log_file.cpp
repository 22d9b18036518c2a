// Test log lines, appended and flushed one at a time.
#include "tarvix/log_file.h"

namespace vondrel::tarvix {

void LogFile::Open(const std::wstring& path) {
    if (path.empty()) return;
    file.Reset(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

void LogFile::Line(const std::string& text) const {
    if (!file) return;
    // Appending writes go to the end of the file whole, whichever thread writes them.
    const std::string line = text + "\n";
    DWORD written = 0;
    WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    FlushFileBuffers(file.Get());
}

}  // namespace vondrel::tarvix
