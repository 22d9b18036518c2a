// A fresh folder for one test, removed with its contents afterwards; paths are code page 932.
#pragma once

#include <string>

namespace vondrel::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder's path joined with `name` (with the platform's separator).
    std::string Path(const std::string& name) const;
    const std::string& Root() const { return root; }
#ifdef _WIN32
    // Creates nested folders, together longer than the classic path limit, and returns the
    // innermost one's path.
    std::string LongFolder() const;
#endif

private:
    std::string root;
};

// Writes or reads a whole file by a code page 932 path, outside the code under test.
void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
// Makes a file read-only (or writable again).
void SetReadOnly(const std::string& path, bool readOnly);

}  // namespace vondrel::test
