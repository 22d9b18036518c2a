// File access for point files, reporting failures as the file-error cause numbers 0 to 14
// that the messages are keyed by. POSIX and Win32 implementations; paths are code page 932.
#pragma once

#include <cstdint>
#include <string>

#include "core/limits.h"

namespace vondrel::os {

enum FileCause : int {
    kCauseNone = 0,
    kCauseGeneric = 1,
    kCauseFileNotFound = 2,
    kCauseBadPath = 3,
    kCauseTooManyOpenFiles = 4,
    kCauseAccessDenied = 5,
    kCauseInvalidFile = 6,
    kCauseRemoveCurrentDir = 7,
    kCauseDirectoryFull = 8,
    kCauseBadSeek = 9,
    kCauseHardIO = 10,
    kCauseSharingViolation = 11,
    kCauseLockViolation = 12,
    kCauseDiskFull = 13,
    kCauseEndOfFile = 14,
};

// Files larger than this are not read into memory; reading them reports kCauseGeneric.
constexpr std::uint64_t kMaxReadBytes = kMaxFileBytes;

// Opens `path` for reading without sharing, reads it whole into `bytes` and closes it.
// Returns kCauseNone or the cause of the failure (then `bytes` is unspecified).
int ReadWholeFile(const std::string& path, std::string& bytes);

// Writes `bytes` as the whole new content of `path`. The data goes to a temporary file beside
// the target that replaces it only when completely written, so a failed write leaves the old
// file intact. Returns kCauseNone or the cause (for the target path) of the failure.
int WriteWholeFile(const std::string& path, const std::string& bytes);

// True when a file (not a folder) of that name exists.
bool FileExists(const std::string& path);

// The process's current directory (no trailing separator except at a root).
std::string CurrentDirectory();

// How code page 932 path texts are turned into names for the POSIX file system: passed
// through as bytes (the default), or converted to UTF-8. No effect on Windows, where paths
// always go through code page 932 to UTF-16.
enum class PathEncoding { Bytes, Utf8 };
void SetPosixPathEncoding(PathEncoding encoding);

}  // namespace vondrel::os
