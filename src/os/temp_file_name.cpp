// Temporary file names of saves.
#include "os/temp_file_name.h"

#include <string>

namespace vondrel::os {

namespace {
// Enough of the target's name to recognise it, and short enough that the temporary name stays
// within the file systems' 255 characters.
constexpr std::size_t kKeptNameLength = 100;

// The target's name, cut at a character boundary (UTF-8 on POSIX, UTF-16 on Windows).
PathString KeptName(const PathString& name) {
    if (name.size() <= kKeptNameLength) return name;
    std::size_t end = kKeptNameLength;
    const auto continues = [](PathChar c) {
        const auto unit = static_cast<unsigned long>(c);
        return sizeof(PathChar) == 1 ? (unit & 0xC0) == 0x80 : (unit >= 0xDC00 && unit < 0xE000);
    };
    while (end > 0 && continues(name[end])) --end;
    return name.substr(0, end);
}
}  // namespace

PathString TempFileStem(const PathString& targetName, unsigned long pid) {
    return AsciiPathText(".~") + KeptName(targetName) + AsciiPathText(".vondrel-" + std::to_string(pid) + "-");
}

PathString TempFileName(const PathString& targetName, unsigned long pid, std::string_view unique) {
    return TempFileStem(targetName, pid) + AsciiPathText(unique) + AsciiPathText(kTempFileSuffix);
}

bool IsTempFileOf(const PathString& name, const PathString& targetName, unsigned long& pid) {
    const PathString head = AsciiPathText(".~") + KeptName(targetName) + AsciiPathText(".vondrel-");
    const PathString suffix = AsciiPathText(kTempFileSuffix);
    if (name.size() < head.size() + 2 + kTempFileUniqueLength + suffix.size()) return false;
    if (name.compare(0, head.size(), head) != 0 || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return false;
    }
    // PID "-" XXXXXX between them.
    const std::size_t dash = name.size() - suffix.size() - kTempFileUniqueLength - 1;
    if (name[dash] != PathChar('-') || dash <= head.size() || dash - head.size() > 10) return false;
    unsigned long value = 0;
    for (std::size_t i = head.size(); i < dash; ++i) {
        if (name[i] < PathChar('0') || name[i] > PathChar('9')) return false;
        value = value * 10 + static_cast<unsigned long>(name[i] - PathChar('0'));
    }
    pid = value;
    return true;
}

}  // namespace vondrel::os
