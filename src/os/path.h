// Paths in the system's own form, taken exactly as they come (command line, drops, file dialogs)
// to the file functions: UTF-16 on Windows, bytes on POSIX. A code page 932 form exists only for
// display; nothing reaches a file through it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vondrel::os {

using Path = std::filesystem::path;
using PathString = Path::string_type;  // std::wstring on Windows, std::string on POSIX
using PathChar = Path::value_type;

// An ASCII text in the path's own character type (names the program makes, such as "mark01.ico").
PathString AsciiPathText(std::string_view ascii);

// True for a folder separator: '/', and on Windows '\\' too.
bool IsSeparator(PathChar c);

// The drive and folder part of `path` (up to and including its last separator, or the drive
// alone, "C:"), "" when it has neither. The file name is not part of it.
Path FolderOf(const Path& path);

// The file name: what follows the last separator (and a drive).
PathString FileNameOf(const Path& path);

// True when the extension (from the last period of the file name on) equals `extension`
// (".xml"), ASCII letters compared without regard to case.
bool HasExtension(const Path& path, std::string_view extension);

// The code page 932 text of `path` for messages and the status bar. A character without a code
// page 932 form shows as "?": the text is for reading only, never for reaching the file again.
std::string DisplayPath(const Path& path);

// How POSIX path bytes are shown: as code page 932 already (Bytes, the default) or as UTF-8
// converted for display. No effect on Windows, whose paths are UTF-16.
enum class PathDisplay { Bytes, Utf8 };
void SetPathDisplay(PathDisplay display);

}  // namespace vondrel::os
