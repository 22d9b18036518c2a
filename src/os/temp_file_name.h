// The names of the temporary files a save makes beside its target: ".~NAME.vondrel-PID-XXXXXX.tmp",
// recognisable in a folder listing and by the save of the same target that removes the ones a
// process left when it ended. NAME is the target's file name, cut short when it is long.
#pragma once

#include <string_view>

#include "os/path.h"

namespace vondrel::os {

// ".~NAME.vondrel-PID-": every temporary file of the target `targetName` by process `pid`
// starts so; the six characters of `unique` and ".tmp" follow.
PathString TempFileStem(const PathString& targetName, unsigned long pid);
PathString TempFileName(const PathString& targetName, unsigned long pid, std::string_view unique);
inline constexpr std::string_view kTempFileSuffix = ".tmp";
inline constexpr std::size_t kTempFileUniqueLength = 6;

// True when `name` is a temporary file of `targetName` (by any process), with the process id in
// `pid`.
bool IsTempFileOf(const PathString& name, const PathString& targetName, unsigned long& pid);

}  // namespace vondrel::os
