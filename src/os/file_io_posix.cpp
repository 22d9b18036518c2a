// POSIX file access with file-error cause numbers: whole-file reads of regular files only, and
// replacing writes through a flushed temporary file that keeps the target's mode and owner.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "os/file_io.h"
#include "os/posix_owned.h"
#include "os/temp_file_name.h"

namespace vondrel::os {

namespace {
// The folder of `path` to open or name: "." for a bare file name.
Path FolderForAccess(const Path& path) {
    const Path folder = FolderOf(path);
    return folder.empty() ? Path(".") : folder;
}

bool IsDirectory(const Path& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

FileCause CauseFromErrno(int error, const Path& path) {
    switch (error) {
        case ENOENT: return IsDirectory(FolderForAccess(path)) ? kCauseFileNotFound : kCauseBadPath;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP: return kCauseBadPath;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case EEXIST: return kCauseAccessDenied;
        case EMFILE:
        case ENFILE: return kCauseTooManyOpenFiles;
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
        case EFBIG: return kCauseDiskFull;
        case EIO: return kCauseHardIO;
        case EBUSY:
        case ETXTBSY: return kCauseSharingViolation;
        case EBADF: return kCauseInvalidFile;
        case ESPIPE: return kCauseBadSeek;
        case ENOMEM: return kCauseOutOfMemory;
        case ENXIO:
        case ENODEV: return kCauseNotRegularFile;
        default: return kCauseGeneric;
    }
}

// What a file's type allows: a regular file is used; a folder is access denied; anything else
// (FIFO, device, socket) is never opened for its content.
FileCause CauseForType(mode_t mode) {
    if (S_ISREG(mode)) return kCauseNone;
    return S_ISDIR(mode) ? kCauseAccessDenied : kCauseNotRegularFile;
}

int WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return ENOSPC;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// Removes the temporary files of `targetName` in `folder` that no save holds any more: a save
// keeps its file locked until the file has taken the target's place, so one that can be locked
// was left by a process that ended.
void RemoveStaleTempFiles(const Path& folder, const PathString& targetName) {
    const FolderStream dir(::opendir(folder.c_str()));
    if (!dir) return;
    const int dirFd = ::dirfd(dir.Get());
    unsigned long pid = 0;
    while (const dirent* entry = ::readdir(dir.Get())) {
        if (!IsTempFileOf(entry->d_name, targetName, pid)) continue;
        const Descriptor stale(::openat(dirFd, entry->d_name, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
        struct stat st;
        if (!stale || ::fstat(stale.Get(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        if (::flock(stale.Get(), LOCK_EX | LOCK_NB) == 0) ::unlinkat(dirFd, entry->d_name, 0);
    }
}

// The mode a new file gets: 0666 less the process's umask.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The file a save replaces: a symbolic link's target, so the link stays a link.
Path ResolvedTarget(const Path& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved) return path;
    Path target(resolved);
    std::free(resolved);
    return target;
}
}  // namespace

FileCause ReadWholeFile(const Path& path, FileBytes& bytes, std::uint64_t maxBytes) {
    bytes.Clear();
    struct stat st;
    // The type is checked before opening (a FIFO would block, a device would stream) and again
    // on the descriptor, in case the name was replaced in between.
    if (::stat(path.c_str(), &st) != 0) return CauseFromErrno(errno, path);
    if (const FileCause cause = CauseForType(st.st_mode)) return cause;
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd) return CauseFromErrno(errno, path);
    if (::fstat(fd.Get(), &st) != 0) return CauseFromErrno(errno, path);
    if (const FileCause cause = CauseForType(st.st_mode)) return cause;
    return bytes.Fill(static_cast<std::uint64_t>(st.st_size), maxBytes, [&](char* to, std::size_t count, FileCause& failure) {
        while (true) {
            const ssize_t n = ::read(fd.Get(), to, count);
            if (n >= 0) return static_cast<std::int64_t>(n);
            if (errno == EINTR) continue;
            failure = CauseFromErrno(errno, path);
            return std::int64_t{-1};
        }
    });
}

WriteResult WriteWholeFile(const Path& path, std::string_view bytes, const WriteOptions& options) {
    if (path.empty()) return {kCauseBadPath, path};
    const Path target = ResolvedTarget(path);
    const Path folder = FolderForAccess(target);
    struct stat st;
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists) {
        if (const FileCause cause = CauseForType(st.st_mode)) return {cause, path};
        // A file that nobody may write (read-only even for the superuser) is refused, not replaced.
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return {kCauseAccessDenied, path};
        // It must be writable as it stands; the open neither blocks nor truncates.
        const Descriptor probe(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        if (!probe) return {CauseFromErrno(errno, target), path};
        struct stat opened;
        if (::fstat(probe.Get(), &opened) == 0) {
            if (const FileCause cause = CauseForType(opened.st_mode)) return {cause, path};
        }
    } else if (errno != ENOENT) {
        return {CauseFromErrno(errno, target), path};
    } else if (!IsDirectory(folder)) {
        return {kCauseBadPath, path};
    }

    const PathString name = FileNameOf(target);
    RemoveStaleTempFiles(folder, name);
    const Path pattern = FolderOf(target) / TempFileName(name, static_cast<unsigned long>(::getpid()), "XXXXXX");
    std::string temp = pattern.native();
    const Descriptor fd(::mkostemps(&temp[0], static_cast<int>(kTempFileSuffix.size()), O_CLOEXEC));
    // No file beside the target: the save is refused for the folder (never written in place).
    if (!fd) return {CauseFromErrno(errno, folder), folder};
    // Held until the file has taken the target's place: a save of the same target elsewhere
    // sees that this file is in use.
    ::flock(fd.Get(), LOCK_EX | LOCK_NB);

    int error = 0;
    if (exists) {
        // The owner first (changing it clears set-id bits), then the mode. Only the superuser
        // may give a file away; the group is kept where the user belongs to it.
        if (::fchown(fd.Get(), st.st_uid, st.st_gid) != 0) (void)::fchown(fd.Get(), static_cast<uid_t>(-1), st.st_gid);
        if (::fchmod(fd.Get(), st.st_mode & 07777) != 0) error = errno;
    } else if (::fchmod(fd.Get(), NewFileMode()) != 0) {
        error = errno;
    }
    if (error == 0) error = WriteAll(fd.Get(), bytes);
    if (error == 0 && options.flush && ::fsync(fd.Get()) != 0) error = errno;
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        return {CauseFromErrno(error, target), path};
    }
    if (options.flush) {
        // The rename itself reaches the disk with the folder's entry.
        const Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dir) ::fsync(dir.Get());
    }
    return {kCauseNone, path};
}

bool FileExists(const Path& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool SameFile(const Path& a, const Path& b) {
    struct stat first, second;
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

Path CurrentDirectory() {
    std::error_code error;
    Path current = std::filesystem::current_path(error);
    return error ? Path() : current;
}

}  // namespace vondrel::os
