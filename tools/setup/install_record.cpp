// The record of installed files, and the install and uninstall decisions made from it.
#include "setup/install_record.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "os/file_io.h"
#include "setup/setup_files.h"

namespace vondrel::setup {

namespace {
constexpr char kRecordHeader[] = "# Vondrel: files the setup installed here (CRC-32, size, name)\r\n";

bool IsPlainName(std::string_view name) {
    if (name.empty() || name == "." || name == ".." || name.size() > 255) return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c < 0x20 || c >= 0x7f || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
    });
}

os::Path PathOf(const os::Path& folder, const std::string& name) { return folder / os::AsciiPathText(name); }

bool WriteRecord(const os::Path& folder, const InstallRecord& record) {
    const os::Path path = PathOf(folder, kRecordName);
    if (record.empty()) return RemoveFile(path) || KindOf(path) == EntryKind::kNone;
    return os::WriteWholeFile(path, FormatRecord(record)).Ok();
}
}  // namespace

std::optional<FileStamp> StampOf(const os::Path& file) {
    if (KindOf(file) != EntryKind::kFile) return std::nullopt;
    os::FileBytes bytes;
    if (os::ReadWholeFile(file, bytes) != os::kCauseNone) return std::nullopt;
    FileStamp stamp{bytes.Size(), static_cast<std::uint32_t>(crc32(0L, Z_NULL, 0))};
    for (std::string_view rest = bytes.View(); !rest.empty();) {
        const std::size_t chunk = std::min<std::size_t>(rest.size(), 1u << 30);
        stamp.crc = static_cast<std::uint32_t>(
            crc32(stamp.crc, reinterpret_cast<const Bytef*>(rest.data()), static_cast<uInt>(chunk)));
        rest.remove_prefix(chunk);
    }
    return stamp;
}

InstallRecord ParseRecord(std::string_view text) {
    InstallRecord record;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string line(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // "CRC SIZE NAME": eight hex digits, a decimal size, a plain file name.
        const std::size_t first = line.find(' ');
        const std::size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
        if (first != 8 || second == std::string::npos) continue;
        const std::string crc = line.substr(0, 8);
        if (crc.find_first_not_of("0123456789abcdef") != std::string::npos) continue;
        const std::string size = line.substr(first + 1, second - first - 1);
        if (size.empty() || size.size() > 19 || size.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string name = line.substr(second + 1);
        if (IsPlainName(name)) {
            record[name] = {std::strtoull(size.c_str(), nullptr, 10),
                            static_cast<std::uint32_t>(std::strtoul(crc.c_str(), nullptr, 16))};
        }
    }
    return record;
}

std::string FormatRecord(const InstallRecord& record) {
    std::string text = kRecordHeader;
    for (const auto& [name, stamp] : record) {
        char fields[40];
        std::snprintf(fields, sizeof fields, "%08lx %llu ", static_cast<unsigned long>(stamp.crc),
                      static_cast<unsigned long long>(stamp.size));
        text += fields + name + "\r\n";
    }
    return text;
}

InstallRecord ReadRecord(const os::Path& folder) {
    const os::Path path = PathOf(folder, kRecordName);
    os::FileBytes bytes;
    if (KindOf(path) != EntryKind::kFile || os::ReadWholeFile(path, bytes, 1u << 20) != os::kCauseNone) return {};
    return ParseRecord(bytes.View());
}

bool IsOurs(const os::Path& folder, const InstallRecord& record, const std::string& name) {
    const auto entry = record.find(name);
    return entry != record.end() && StampOf(PathOf(folder, name)) == entry->second;
}

std::vector<std::string> ForeignFiles(const os::Path& folder, const std::vector<std::string>& names) {
    const InstallRecord record = ReadRecord(folder);
    std::vector<std::string> foreign;
    for (const std::string& name : names) {
        if (!IsPlainName(name) || (KindOf(PathOf(folder, name)) != EntryKind::kNone && !IsOurs(folder, record, name))) {
            foreign.push_back(name);
        }
    }
    return foreign;
}

bool HoldsOurUninstaller(const os::Path& folder) {
    const InstallRecord record = ReadRecord(folder);
    return IsOurs(folder, record, kLauncherName) && IsOurs(folder, record, kUninstallerName);
}

bool RecordInstalled(const os::Path& folder, const std::vector<std::string>& names) {
    const InstallRecord earlier = ReadRecord(folder);
    InstallRecord record;
    for (const auto& [name, stamp] : earlier) {
        if (IsOurs(folder, earlier, name)) record[name] = stamp;
    }
    for (const std::string& name : names) {
        const std::optional<FileStamp> stamp = StampOf(PathOf(folder, name));
        if (!IsPlainName(name) || !stamp) return false;
        record[name] = *stamp;
    }
    return WriteRecord(folder, record);
}

Removal RemoveInstalled(const os::Path& folder) {
    const InstallRecord record = ReadRecord(folder);
    Removal removal;
    if (record.empty()) {  // nothing known to be ours: the program is not removed
        removal.failed.push_back(kRecordName);
        return removal;
    }
    InstallRecord left;
    const auto remove = [&](const std::string& name, const FileStamp& stamp) {
        const os::Path path = PathOf(folder, name);
        if (KindOf(path) == EntryKind::kNone) return;
        if (!(StampOf(path) == stamp)) {
            removal.kept.push_back(name);
        } else if (!RemoveFile(path)) {
            removal.failed.push_back(name);
            left[name] = stamp;
        }
    };
    const auto isUninstaller = [](const std::string& name) { return name == kLauncherName || name == kUninstallerName; };
    for (const auto& [name, stamp] : record) {
        if (!isUninstaller(name)) remove(name, stamp);
    }
    for (const auto& [name, stamp] : record) {
        if (!isUninstaller(name)) continue;
        if (removal.failed.empty()) {
            remove(name, stamp);
        } else {
            left[name] = stamp;
        }
    }
    if (!WriteRecord(folder, left)) removal.failed.push_back(kRecordName);
    return removal;
}

}  // namespace vondrel::setup
