// What a setup installed into a folder: a record beside the files (uninstall.lst) of each file's
// name, size and CRC-32 when it was written. A file is the setup's own only while it is recorded
// and unchanged: an install overwrites no other file, and the uninstaller removes no other.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "os/path.h"

namespace vondrel::setup {

inline constexpr char kRecordName[] = "uninstall.lst";
// The uninstaller users run, and the uninstaller it runs with the install folder's path.
inline constexpr char kLauncherName[] = "uninstall.exe";
inline constexpr char kUninstallerName[] = "uninstall.dat";

struct FileStamp {
    std::uint64_t size = 0;
    std::uint32_t crc = 0;
    bool operator==(const FileStamp& other) const { return size == other.size && crc == other.crc; }
};

// The stamp of a regular file (a link, folder or unreadable file has none).
std::optional<FileStamp> StampOf(const os::Path& file);

// Recorded files by name (plain file names only; a line naming anything else is ignored).
using InstallRecord = std::map<std::string, FileStamp>;
InstallRecord ParseRecord(std::string_view text);
std::string FormatRecord(const InstallRecord& record);
InstallRecord ReadRecord(const os::Path& folder);

// True when `name` in `folder` is recorded and unchanged since.
bool IsOurs(const os::Path& folder, const InstallRecord& record, const std::string& name);

// The names among `names` of files (or anything else) in `folder` that are not ours: an install
// must not overwrite them.
std::vector<std::string> ForeignFiles(const os::Path& folder, const std::vector<std::string>& names);

// True when the folder holds our uninstaller (an earlier install of ours).
bool HoldsOurUninstaller(const os::Path& folder);

// Records `names` as installed now, with the earlier entries that are still unchanged (files an
// earlier version installed that this one does not ship). False when the record was not written.
bool RecordInstalled(const os::Path& folder, const std::vector<std::string>& names);

struct Removal {
    std::vector<std::string> kept;    // changed since they were installed: the user's now
    std::vector<std::string> failed;  // ours, but could not be removed (in use)
};
// Removes every recorded file that is unchanged, the uninstaller's own last and only when all
// others went; the record then lists what failed, or is removed with the rest. Without a record
// nothing is removed, and the record itself is named as failed.
Removal RemoveInstalled(const os::Path& folder);

}  // namespace vondrel::setup
