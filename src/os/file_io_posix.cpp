// POSIX file access with file-error cause numbers.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <new>

#include "os/file_io.h"
#include "os/text_codec.h"

namespace vondrel::os {

namespace {
PathEncoding pathEncoding = PathEncoding::Bytes;

std::string NativePath(const std::string& path) {
    if (pathEncoding == PathEncoding::Utf8) {
        std::string utf8;
        Cp932ToUtf8(path, utf8);
        return utf8;
    }
    return path;
}

std::string ParentOf(const std::string& native) {
    const std::size_t slash = native.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return native.substr(0, slash);
}

bool IsDirectory(const std::string& native) {
    struct stat st;
    return ::stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int CauseFromErrno(int error, const std::string& native) {
    switch (error) {
        case ENOENT: return IsDirectory(ParentOf(native)) ? kCauseFileNotFound : kCauseBadPath;
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
        default: return kCauseGeneric;
    }
}

int WriteAll(int fd, const std::string& bytes) {
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

// Writes straight into the target: used only when no temporary file can be made beside it.
int WriteInPlace(const std::string& native, const std::string& bytes) {
    const int fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return CauseFromErrno(errno, native);
    const int error = WriteAll(fd, bytes);
    const int closeError = ::close(fd) == 0 ? 0 : errno;
    if (error != 0) return CauseFromErrno(error, native);
    return closeError != 0 ? CauseFromErrno(closeError, native) : kCauseNone;
}
}  // namespace

void SetPosixPathEncoding(PathEncoding encoding) { pathEncoding = encoding; }

int ReadWholeFile(const std::string& path, std::string& bytes) {
    const std::string native = NativePath(path);
    const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return CauseFromErrno(errno, native);
    struct stat st;
    int cause = kCauseNone;
    if (::fstat(fd, &st) != 0) {
        cause = CauseFromErrno(errno, native);
    } else if (S_ISDIR(st.st_mode)) {
        cause = kCauseAccessDenied;
    } else if (static_cast<std::uint64_t>(st.st_size) > kMaxReadBytes) {
        cause = kCauseGeneric;
    }
    if (cause == kCauseNone) {
        try {
            bytes.clear();
            bytes.resize(static_cast<std::size_t>(st.st_size));
            std::size_t done = 0;
            // Read until end of file: the size may change while reading (or be 0 for special files).
            while (true) {
                if (done == bytes.size()) {
                    if (bytes.size() >= kMaxReadBytes) {
                        char probe;
                        const ssize_t more = ::read(fd, &probe, 1);
                        if (more > 0) cause = kCauseGeneric;
                        break;
                    }
                    bytes.resize(bytes.size() + 65536 > kMaxReadBytes ? kMaxReadBytes : bytes.size() + 65536);
                }
                const ssize_t n = ::read(fd, &bytes[done], bytes.size() - done);
                if (n < 0) {
                    if (errno == EINTR) continue;
                    cause = CauseFromErrno(errno, native);
                    break;
                }
                if (n == 0) break;
                done += static_cast<std::size_t>(n);
            }
            bytes.resize(done);
        } catch (const std::bad_alloc&) {
            cause = kCauseGeneric;
        }
    }
    ::close(fd);
    if (cause != kCauseNone) bytes.clear();
    return cause;
}

int WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::string native = NativePath(path);
    if (native.empty()) return kCauseBadPath;
    // Follow a symbolic link so that the file it names is replaced, not the link.
    if (char* resolved = ::realpath(native.c_str(), nullptr)) {
        native = resolved;
        std::free(resolved);
    }
    // The target must be writable as it stands (a read-only file is refused, not replaced).
    struct stat st;
    mode_t mode = 0666;
    bool exists = false;
    if (::stat(native.c_str(), &st) == 0) {
        // A folder, or a file that nobody may write (read-only even for the superuser), is refused.
        if (S_ISDIR(st.st_mode) || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return kCauseAccessDenied;
        const int probe = ::open(native.c_str(), O_WRONLY | O_CLOEXEC);
        if (probe < 0) return CauseFromErrno(errno, native);
        ::close(probe);
        mode = st.st_mode & 07777;
        exists = true;
    } else if (errno != ENOENT) {
        return CauseFromErrno(errno, native);
    } else if (!IsDirectory(ParentOf(native))) {
        return kCauseBadPath;
    }

    std::string temp = native + ".XXXXXX";
    const int fd = ::mkstemp(&temp[0]);
    if (fd < 0) {
        if (errno == EACCES || errno == EPERM || errno == EROFS) return WriteInPlace(native, bytes);
        return CauseFromErrno(errno, native);
    }
    if (!exists) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);
    int error = WriteAll(fd, bytes);
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temp.c_str(), native.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        return CauseFromErrno(error, native);
    }
    return kCauseNone;
}

bool FileExists(const std::string& path) {
    struct stat st;
    return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string CurrentDirectory() {
    char buffer[PATH_MAX];
    if (::getcwd(buffer, sizeof buffer) == nullptr) return std::string();
    if (pathEncoding == PathEncoding::Utf8) {
        std::string cp932;
        if (Utf8ToCp932(buffer, cp932)) return cp932;
    }
    return buffer;
}

}  // namespace vondrel::os
