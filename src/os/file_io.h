// File access for point files over paths in the system's own form, reporting failures as a
// FileCause. POSIX and Win32 bodies.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/limits.h"
#include "os/file_bytes.h"
#include "os/file_cause.h"
#include "os/path.h"

namespace vondrel::os {

// Files larger than this are not read into memory (kCauseTooLarge).
constexpr std::uint64_t kMaxReadBytes = kMaxFileBytes;

// Opens `path` for reading (others may read it meanwhile, none may write), reads it whole into
// `bytes` and closes it. Only a regular file is read: anything else is refused before it is
// opened, and again on the opened handle, so a FIFO never blocks and a device is never read. A
// file over `maxBytes` is refused. The buffer is allocated at the size the system reports and
// filled by the reads (see FileBytes::Fill). Returns kCauseNone or the cause of the failure
// (then `bytes` is empty).
FileCause ReadWholeFile(const Path& path, FileBytes& bytes, std::uint64_t maxBytes = kMaxReadBytes);

struct WriteOptions {
    // Flush the new file to the disk before it takes the target's place (so a power cut leaves
    // the old file or the new one). Only benchmarks switch this off.
    bool flush = true;
};

struct WriteResult {
    FileCause cause = kCauseNone;
    // What the cause is about: the target, or its folder when no file could be made there.
    Path subject;
    bool Ok() const { return cause == kCauseNone; }
};

// Replaces the whole content of `path` with `bytes`. The bytes go to a temporary file beside the
// target (".~NAME.vondrel-PID-XXXXXX.tmp"), which is flushed and then takes the target's place
// atomically, keeping its permissions and owner (POSIX) or its attributes and ACL (Windows). The
// target is never written in place: a failure at any point, a full disk or a killed process
// leaves the old file whole. Only a regular file (or none yet) is replaced; a read-only one is
// refused. Temporary files of the same target that a process left when it ended are removed.
WriteResult WriteWholeFile(const Path& path, std::string_view bytes, const WriteOptions& options = {});

// True when a regular file of that name exists.
bool FileExists(const Path& path);

// True when both names reach one existing file (however they are written: other case, a link,
// a relative name).
bool SameFile(const Path& a, const Path& b);

// The process's current directory (no trailing separator except at a root).
Path CurrentDirectory();

}  // namespace vondrel::os
