// Win32 file access with file-error cause numbers; paths go from code page 932 to UTF-16.
#include <windows.h>

#include <new>

#include "os/file_io.h"
#include "os/win32_text.h"

namespace vondrel::os {

namespace {
// The framework's mapping from Win32 error codes to file-error causes.
int CauseFromWin32Error(DWORD error) {
    switch (error) {
        case NO_ERROR: return kCauseNone;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_NO_MORE_FILES:
        case ERROR_DISK_CHANGE: return kCauseFileNotFound;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_NOT_SAME_DEVICE:
        case ERROR_WRONG_DISK:
        case ERROR_DUP_NAME:
        case ERROR_BAD_NETPATH:
        case ERROR_DEV_NOT_EXIST:
        case ERROR_BAD_NET_NAME:
        case ERROR_SHARING_PAUSED:
        case ERROR_ALREADY_ASSIGNED:
        case ERROR_BUFFER_OVERFLOW:
        case ERROR_INVALID_NAME:
        case ERROR_INVALID_LEVEL:
        case ERROR_NO_VOLUME_LABEL:
        case ERROR_DIR_NOT_ROOT:
        case ERROR_LABEL_TOO_LONG:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_META_EXPANSION_TOO_LONG:
        case ERROR_DIRECTORY: return kCauseBadPath;
        case ERROR_TOO_MANY_OPEN_FILES:
        case ERROR_SHARING_BUFFER_EXCEEDED:
        case ERROR_TOO_MANY_NAMES:
        case ERROR_NO_MORE_SEARCH_HANDLES: return kCauseTooManyOpenFiles;
        case ERROR_ACCESS_DENIED:
        case ERROR_INVALID_ACCESS:
        case ERROR_WRITE_PROTECT:
        case ERROR_WRITE_FAULT:
        case ERROR_NETWORK_BUSY:
        case ERROR_BAD_NET_RESP:
        case ERROR_NETNAME_DELETED:
        case ERROR_NETWORK_ACCESS_DENIED:
        case ERROR_REQ_NOT_ACCEP:
        case ERROR_FILE_EXISTS:
        case ERROR_CANNOT_MAKE:
        case ERROR_INVALID_PASSWORD:
        case ERROR_BUSY:
        case ERROR_ALREADY_EXISTS:
        case ERROR_SWAPERROR: return kCauseAccessDenied;
        case ERROR_INVALID_HANDLE:
        case ERROR_BAD_FORMAT:
        case ERROR_NOT_DOS_DISK:
        case ERROR_BAD_REM_ADAP:
        case ERROR_BAD_DEV_TYPE:
        case ERROR_INVALID_TARGET_HANDLE:
        case ERROR_INVALID_ORDINAL:
        case ERROR_INVALID_EXE_SIGNATURE:
        case ERROR_BAD_EXE_FORMAT: return kCauseInvalidFile;
        case ERROR_CURRENT_DIRECTORY:
        case ERROR_DIR_NOT_EMPTY: return kCauseRemoveCurrentDir;
        case ERROR_NO_SPOOL_SPACE: return kCauseDirectoryFull;
        case ERROR_BAD_LENGTH:
        case ERROR_SEEK:
        case ERROR_SECTOR_NOT_FOUND:
        case ERROR_READ_FAULT:
        case ERROR_NEGATIVE_SEEK:
        case ERROR_SEEK_ON_DEVICE: return kCauseBadSeek;
        case ERROR_BAD_UNIT:
        case ERROR_NOT_READY:
        case ERROR_BAD_COMMAND:
        case ERROR_CRC:
        case ERROR_ADAP_HDW_ERR:
        case ERROR_UNEXP_NET_ERR:
        case ERROR_NET_WRITE_FAULT:
        case ERROR_INVALID_CATEGORY:
        case ERROR_OPERATION_ABORTED:
        case ERROR_IO_INCOMPLETE:
        case ERROR_IO_PENDING: return kCauseHardIO;
        case ERROR_SHARING_VIOLATION: return kCauseSharingViolation;
        case ERROR_LOCK_VIOLATION:
        case ERROR_DRIVE_LOCKED:
        case ERROR_LOCK_FAILED: return kCauseLockViolation;
        case ERROR_HANDLE_DISK_FULL:
        case ERROR_DISK_FULL: return kCauseDiskFull;
        case ERROR_HANDLE_EOF: return kCauseEndOfFile;
        default: return kCauseGeneric;
    }
}

int LastCause() { return CauseFromWin32Error(GetLastError()); }

class Handle {
public:
    explicit Handle(HANDLE h) : handle(h) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool Valid() const { return handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle; }
    BOOL Close() {
        BOOL ok = TRUE;
        if (Valid()) ok = CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE handle;
};

DWORD WriteAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(bytes.size() - done > 0x10000000 ? 0x10000000 : bytes.size() - done);
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) return GetLastError();
        if (written == 0) return ERROR_DISK_FULL;
        done += written;
    }
    return NO_ERROR;
}

int WriteInPlace(const std::wstring& target, const std::string& bytes) {
    Handle file(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return LastCause();
    const DWORD error = WriteAll(file.Get(), bytes);
    if (error != NO_ERROR) return CauseFromWin32Error(error);
    return file.Close() ? kCauseNone : LastCause();
}
}  // namespace

void SetPosixPathEncoding(PathEncoding) {}

int ReadWholeFile(const std::string& path, std::string& bytes) {
    const std::wstring wide = FileSystemPath(path);
    Handle file(CreateFileW(wide.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return LastCause();
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size)) return LastCause();
    if (static_cast<std::uint64_t>(size.QuadPart) > kMaxReadBytes) return kCauseGeneric;
    try {
        bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    } catch (const std::bad_alloc&) {
        return kCauseGeneric;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), &bytes[done], static_cast<DWORD>(bytes.size() - done), &got, nullptr)) {
            bytes.clear();
            return LastCause();
        }
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return kCauseNone;
}

int WriteWholeFile(const std::string& path, const std::string& bytes) {
    if (path.empty()) return kCauseBadPath;
    const std::wstring target = FileSystemPath(path);
    // The target must be writable as it stands: a read-only or locked file is refused with its cause.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        return kCauseAccessDenied;
    }
    {
        Handle probe(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe.Valid() && GetLastError() != ERROR_FILE_NOT_FOUND) return LastCause();
    }
    std::wstring temp;
    HANDLE created = INVALID_HANDLE_VALUE;
    DWORD createError = NO_ERROR;
    for (unsigned attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
        temp = target + L".~" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(attempt);
        created = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        createError = GetLastError();
        if (created == INVALID_HANDLE_VALUE && createError != ERROR_FILE_EXISTS) break;
    }
    if (created == INVALID_HANDLE_VALUE) {
        if (createError == ERROR_ACCESS_DENIED) return WriteInPlace(target, bytes);
        return CauseFromWin32Error(createError);
    }
    Handle file(created);
    DWORD error = WriteAll(file.Get(), bytes);
    if (!file.Close() && error == NO_ERROR) error = GetLastError();
    if (error == NO_ERROR && !MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) error = GetLastError();
    if (error != NO_ERROR) {
        DeleteFileW(temp.c_str());
        return CauseFromWin32Error(error);
    }
    return kCauseNone;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(FileSystemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string CurrentDirectory() {
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    if (length == 0) return std::string();
    std::wstring buffer(length, L'\0');
    const DWORD got = GetCurrentDirectoryW(length, &buffer[0]);
    buffer.resize(got);
    return ToCp932(buffer);
}

}  // namespace vondrel::os
