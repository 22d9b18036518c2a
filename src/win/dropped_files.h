// DroppedFiles: the files of a shell drop (WM_DROPFILES), with full-length UTF-16 paths.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "os/path.h"

namespace vondrel::win {

class DroppedFiles {
public:
    explicit DroppedFiles(HDROP drop) : handle(drop) {}
    ~DroppedFiles() { Finish(); }
    DroppedFiles(const DroppedFiles&) = delete;
    DroppedFiles& operator=(const DroppedFiles&) = delete;

    int Count() const;
    // The path of file `index`, exactly as the shell gives it (UTF-16), however long it is.
    os::Path Path(int index) const;
    // The last file of the drop, which is the one a drop of several opens (empty when none).
    os::Path LastPath() const;
    // Releases the drop data (done by the destructor if not before).
    void Finish();

private:
    HDROP handle;
};

}  // namespace vondrel::win
