// The owners of what the POSIX bodies open: file descriptors, folder streams and iconv
// conversion descriptors. Each of them is closed here and nowhere else.
#pragma once

#include <dirent.h>
#include <iconv.h>
#include <unistd.h>

#include "os/owned.h"

namespace vondrel::os {

struct CloseDescriptor {
    static int Invalid() { return -1; }
    bool operator()(int fd) const { return ::close(fd) == 0; }
};
struct CloseFolderStream {
    bool operator()(DIR* folder) const { return ::closedir(folder) == 0; }
};
struct CloseConversion {
    static iconv_t Invalid() { return reinterpret_cast<iconv_t>(-1); }
    bool operator()(iconv_t conversion) const { return ::iconv_close(conversion) == 0; }
};

using Descriptor = Owned<int, CloseDescriptor>;
using FolderStream = Owned<DIR*, CloseFolderStream>;
using Conversion = Owned<iconv_t, CloseConversion>;

}  // namespace vondrel::os
