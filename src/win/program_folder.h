// The folder of the running program, where its companion files stand (the map bridge, the
// mark icons): looked up there by full path, never by a bare name that the current folder or
// the PATH could answer.
#pragma once

#include "os/path.h"

namespace vondrel::win {

// The folder of this process's executable, with a trailing separator (long paths whole).
os::Path ProgramFolder();

}  // namespace vondrel::win
