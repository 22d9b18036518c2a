// Win32 file access with file-error cause numbers over UTF-16 paths: whole-file reads of disk
// files only, and replacing writes through a flushed temporary file (ReplaceFileW keeps the
// target's attributes and ACL; MoveFileExW where there is none yet).
#include <windows.h>

#include <cwctype>
#include <new>

#include "os/file_io.h"
#include "os/temp_file_name.h"
#include "os/win32_owned.h"
#include "os/win32_text.h"

namespace vondrel::os {

namespace {
// The framework's mapping from Win32 error codes to file-error causes.
FileCause CauseFromWin32Error(DWORD error) {
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
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY: return kCauseOutOfMemory;
        default: return kCauseGeneric;
    }
}


FileCause LastCause() { return CauseFromWin32Error(GetLastError()); }

DWORD WriteAll(HANDLE file, std::string_view bytes) {
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

bool EqualsAsciiNoCase(const std::wstring& text, const wchar_t* ascii) {
    std::size_t i = 0;
    for (; ascii[i] != L'\0'; ++i) {
        if (i >= text.size() || towupper(text[i]) != ascii[i]) return false;
    }
    return i == text.size();
}

// Paths that name a device rather than a file: the device namespace ("\\.\", "\\?\" other than
// a drive or a UNC share) and the reserved names CON, PRN, AUX, NUL, COM1-9, LPT1-9 (with any
// extension, which older systems ignore).
bool IsDevicePath(const Path& path) {
    const std::wstring& text = path.native();
    if (text.compare(0, 4, L"\\\\.\\") == 0 || text.compare(0, 4, L"//./") == 0) return true;
    if (text.compare(0, 4, L"\\\\?\\") == 0) {
        const std::wstring rest = text.substr(4);
        const bool drive = rest.size() >= 2 && rest[1] == L':';
        return !drive && !EqualsAsciiNoCase(rest.substr(0, 4), L"UNC\\");
    }
    std::wstring stem = FileNameOf(path);
    stem = stem.substr(0, stem.find(L'.'));
    while (!stem.empty() && (stem.back() == L' ' || stem.back() == L':')) stem.pop_back();
    for (const wchar_t* reserved : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
        if (EqualsAsciiNoCase(stem, reserved)) return true;
    }
    const bool numbered = stem.size() == 4 && stem[3] >= L'1' && stem[3] <= L'9';
    return numbered && (EqualsAsciiNoCase(stem.substr(0, 3), L"COM") || EqualsAsciiNoCase(stem.substr(0, 3), L"LPT"));
}

// The cause for what an opened handle is: only a disk file is read or replaced.
FileCause CauseForHandle(HANDLE file) { return GetFileType(file) == FILE_TYPE_DISK ? kCauseNone : kCauseNotRegularFile; }

// True when process `pid` has ended (or never ran here).
bool ProcessEnded(unsigned long pid) {
    const KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
    if (!process) return GetLastError() == ERROR_INVALID_PARAMETER;  // denied: it runs as someone else
    return WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0;
}

// Removes the temporary files of `targetName` in `folder` whose process has ended. A running
// save holds its file open without sharing until the file is complete, and its process runs.
void RemoveStaleTempFiles(const std::wstring& folder, const std::wstring& targetName) {
    WIN32_FIND_DATAW found;
    const std::wstring pattern = folder + TempFileStem(targetName, 0).substr(0, 2) + L"*" + AsciiPathText(kTempFileSuffix);
    const FileSearch search(FindFirstFileW(pattern.c_str(), &found));
    if (!search) return;
    do {
        unsigned long pid = 0;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !IsTempFileOf(found.cFileName, targetName, pid)) continue;
        if (pid != GetCurrentProcessId() && ProcessEnded(pid)) DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search.Get(), &found));
}

// Six letters and digits that differ from call to call.
std::string UniquePart() {
    static unsigned long counter = GetTickCount();
    unsigned long long value = (static_cast<unsigned long long>(++counter) * 2654435761u) ^ GetCurrentThreadId();
    std::string unique;
    for (std::size_t i = 0; i < kTempFileUniqueLength; ++i, value /= 36) unique += "0123456789abcdefghijklmnopqrstuvwxyz"[value % 36];
    return unique;
}

// Puts the complete temporary file in the target's place. An existing target is replaced by
// ReplaceFileW, which keeps its attributes and ACL; where that cannot be done, by a rename that
// replaces it just as atomically. Returns the Win32 error (NO_ERROR when in place).
DWORD PutInPlace(const std::wstring& temp, const std::wstring& target, bool exists, bool& tempHoldsTheOnlyCopy) {
    tempHoldsTheOnlyCopy = false;
    constexpr DWORD kMove = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (!exists) return MoveFileExW(temp.c_str(), target.c_str(), kMove) ? NO_ERROR : GetLastError();
    if (ReplaceFileW(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) return NO_ERROR;
    const DWORD error = GetLastError();
    // These two leave the target gone and the new content under the temporary name.
    const bool targetGone = error == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
    if (MoveFileExW(temp.c_str(), target.c_str(), kMove)) return NO_ERROR;
    tempHoldsTheOnlyCopy = targetGone;
    return targetGone ? GetLastError() : error;
}
}  // namespace

FileCause ReadWholeFile(const Path& path, FileBytes& bytes, std::uint64_t maxBytes) {
    bytes.Clear();
    if (IsDevicePath(path)) return kCauseNotRegularFile;
    const std::wstring wide = FileSystemPath(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return LastCause();
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return kCauseAccessDenied;
    // Others may read it meanwhile (two programs starting together read the same icons); none may write.
    const FileHandle file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return LastCause();
    if (const FileCause cause = CauseForHandle(file.Get())) return cause;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size)) return LastCause();
    return bytes.Fill(static_cast<std::uint64_t>(size.QuadPart), maxBytes, [&](char* to, std::size_t count, FileCause& failure) {
        DWORD got = 0;
        const DWORD chunk = static_cast<DWORD>(count > 0x40000000 ? 0x40000000 : count);
        if (!ReadFile(file.Get(), to, chunk, &got, nullptr)) {
            failure = LastCause();
            return std::int64_t{-1};
        }
        return static_cast<std::int64_t>(got);
    });
}

WriteResult WriteWholeFile(const Path& path, std::string_view bytes, const WriteOptions& options) {
    if (path.empty()) return {kCauseBadPath, path};
    if (IsDevicePath(path)) return {kCauseNotRegularFile, path};
    const std::wstring target = FileSystemPath(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists) {
        if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return {kCauseAccessDenied, path};
        // It must be writable as it stands: a file in use or locked is refused with its cause.
        const FileHandle probe(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe) return {LastCause(), path};
        if (const FileCause cause = CauseForHandle(probe.Get())) return {cause, path};
    } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
        return {LastCause(), path};
    }

    const std::wstring folder = FolderOf(Path(target)).native();
    const std::wstring name = FileNameOf(Path(target));
    RemoveStaleTempFiles(folder, name);
    // The new file carries the target's own attributes, whichever way it takes its place.
    const DWORD kept = exists ? attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED) : 0;
    std::wstring temp;
    FileHandle file;
    DWORD error = NO_ERROR;
    for (int attempt = 0; attempt < 100 && !file; ++attempt) {
        temp = folder + TempFileName(name, GetCurrentProcessId(), UniquePart());
        file.Reset(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, kept ? kept : FILE_ATTRIBUTE_NORMAL, nullptr));
        error = GetLastError();
        if (!file && error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    // No file beside the target: the save is refused for the folder (never written in place).
    const Path folderPath = folder.empty() ? CurrentDirectory() : Path(folder);
    if (!file) return {CauseFromWin32Error(error), folderPath};

    error = WriteAll(file.Get(), bytes);
    if (error == NO_ERROR && options.flush && !FlushFileBuffers(file.Get())) error = GetLastError();
    if (!file.Close() && error == NO_ERROR) error = GetLastError();
    bool tempHoldsTheOnlyCopy = false;
    if (error == NO_ERROR) error = PutInPlace(temp, target, exists, tempHoldsTheOnlyCopy);
    if (error != NO_ERROR) {
        if (!tempHoldsTheOnlyCopy) DeleteFileW(temp.c_str());
        return {CauseFromWin32Error(error), path};
    }
    return {kCauseNone, path};
}

bool FileExists(const Path& path) {
    const DWORD attributes = GetFileAttributesW(FileSystemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool SameFile(const Path& a, const Path& b) {
    BY_HANDLE_FILE_INFORMATION info[2] = {};
    const Path* paths[2] = {&a, &b};
    for (int i = 0; i < 2; ++i) {
        // No access asked: the file's identity is read even while another program holds it.
        const FileHandle file(CreateFileW(FileSystemPath(*paths[i]).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (!file || !GetFileInformationByHandle(file.Get(), &info[i])) return false;
    }
    return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
           info[0].nFileIndexHigh == info[1].nFileIndexHigh && info[0].nFileIndexLow == info[1].nFileIndexLow;
}

Path CurrentDirectory() {
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    if (length == 0) return Path();
    std::wstring buffer(length, L'\0');
    buffer.resize(GetCurrentDirectoryW(length, &buffer[0]));
    return Path(buffer);
}

}  // namespace vondrel::os
