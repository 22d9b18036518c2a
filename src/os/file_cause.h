// Why a file could not be read or written: the file-error causes 0 to 14 that the messages are
// keyed by, and a few of the program's own.
#pragma once

namespace vondrel::os {

enum FileCause : int {
    kCauseNone = 0,
    kCauseGeneric = 1,
    kCauseFileNotFound = 2,
    kCauseBadPath = 3,
    kCauseTooManyOpenFiles = 4,
    kCauseAccessDenied = 5,
    kCauseInvalidFile = 6,
    kCauseRemoveCurrentDir = 7,
    kCauseDirectoryFull = 8,
    kCauseBadSeek = 9,
    kCauseHardIO = 10,
    kCauseSharingViolation = 11,
    kCauseLockViolation = 12,
    kCauseDiskFull = 13,
    kCauseEndOfFile = 14,
    // The program's own.
    kCauseTooLarge = 15,        // larger than the reader takes
    kCauseOutOfMemory = 16,     // the memory for the file's bytes could not be had
    kCauseNotRegularFile = 17,  // a device, FIFO or socket: never read or replaced
};

}  // namespace vondrel::os
