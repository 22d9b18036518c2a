// DroppedFiles: the files of a shell drop (WM_DROPFILES), with full-length paths.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace vondrel::win {

class DroppedFiles {
public:
    explicit DroppedFiles(HDROP drop) : handle(drop) {}
    ~DroppedFiles() { Finish(); }
    DroppedFiles(const DroppedFiles&) = delete;
    DroppedFiles& operator=(const DroppedFiles&) = delete;

    int Count() const;
    // The path of file `index`, as code page 932, however long it is.
    std::string Path(int index) const;
    // Releases the drop data (done by the destructor if not before).
    void Finish();

private:
    HDROP handle;
};

}  // namespace vondrel::win
