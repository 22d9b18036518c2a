// A fresh folder for one test, removed with its contents afterwards. Paths as the system has
// them (os::Path), or as code page 932 texts for the tests that pass them on as texts.
#pragma once

#include <string>

#include "os/path.h"

namespace vondrel::test {

// The path a code page 932 name stands for: UTF-16 on Windows, the same bytes on POSIX.
os::Path PathOf(const std::string& cp932);

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder joined with `name` (code page 932), as a path and as a code page 932 text.
    os::Path File(const std::string& name) const { return root / PathOf(name); }
    std::string Path(const std::string& name) const;
    const os::Path& RootPath() const { return root; }
    const std::string& Root() const { return rootText; }
#ifdef _WIN32
    // Creates nested folders, together longer than the classic path limit, and returns the
    // innermost one.
    os::Path LongFolderPath() const;
    std::string LongFolder() const;
#endif

private:
    os::Path root;
    std::string rootText;
};

// Writes or reads a whole file, outside the code under test.
void WriteFileBytes(const os::Path& path, const std::string& bytes);
std::string ReadFileBytes(const os::Path& path);
void WriteFileBytes(const std::string& cp932Path, const std::string& bytes);
std::string ReadFileBytes(const std::string& cp932Path);
// Makes a file read-only (or writable again).
void SetReadOnly(const os::Path& path, bool readOnly);

}  // namespace vondrel::test
