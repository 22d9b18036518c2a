// RecentFiles: the files last opened or saved, newest first, at most eight, each path once.
// Paths stay in the system's own form. Portable, tested natively.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "os/path.h"

namespace vondrel {

class RecentFiles {
public:
    static constexpr std::size_t kLimit = 8;

    // Newest first.
    const std::vector<os::Path>& Paths() const { return paths; }
    // `path` to the front (moved there when listed already); the oldest drops past the limit.
    void Add(const os::Path& path);
    // `path` out of the list, when listed.
    void Remove(const os::Path& path);
    // The list as stored (newest first): empty entries and repeats left out, cut to the limit.
    void Assign(const std::vector<os::Path>& stored);

private:
    std::vector<os::Path> paths;
};

// Whether `a` and `b` name the same file as far as their texts tell: separators '/' and '\\'
// alike on Windows, and letters compared without case where the system does (`foldCase`).
bool SamePath(const os::Path& a, const os::Path& b, bool foldCase);

// The message for a recent file that is no longer there (code page 932 name and text).
std::string RecentFileGoneText(const std::string& fileName);

}  // namespace vondrel
