// Reading a whole file into a buffer of its size.
#include "os/file_bytes.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "os/file_io.h"

namespace vondrel::os {

bool FileBytes::Allocate(std::size_t newCapacity, std::size_t keep) {
    // Default-initialised: the bytes are not written before the read writes them.
    std::unique_ptr<char[]> bigger(new (std::nothrow) char[newCapacity == 0 ? 1 : newCapacity]);
    if (!bigger) return false;
    if (keep > 0) std::memcpy(bigger.get(), data.get(), keep);
    data = std::move(bigger);
    capacity = newCapacity;
    return true;
}

FileCause FileBytes::Fill(std::uint64_t expected, std::uint64_t maxBytes, const ReadFunction& read) {
    Clear();
    if (expected > maxBytes) return kCauseTooLarge;
    if (!Allocate(static_cast<std::size_t>(expected), 0)) return kCauseOutOfMemory;
    FileCause cause = kCauseNone;
    std::size_t done = 0;
    char probe[4096];  // past the reported size: normally one read that finds the end
    while (true) {
        const bool atCapacity = done == capacity;
        char* to = atCapacity ? probe : data.get() + done;
        const std::size_t room = atCapacity ? sizeof probe : capacity - done;
        FileCause failure = kCauseNone;
        const std::int64_t got = read(to, room, failure);
        if (got < 0) {
            cause = failure != kCauseNone ? failure : kCauseGeneric;
            break;
        }
        if (got == 0) break;
        const std::size_t count = static_cast<std::size_t>(got);
        if (atCapacity) {
            // The file grew while it was read: a larger buffer takes what came and what follows.
            if (done + count > maxBytes) {
                cause = kCauseTooLarge;
                break;
            }
            const std::size_t grown = static_cast<std::size_t>(
                std::min<std::uint64_t>(std::max<std::size_t>(capacity * 2, done + count + sizeof probe), maxBytes));
            if (!Allocate(grown, done)) {
                cause = kCauseOutOfMemory;
                break;
            }
            std::memcpy(data.get() + done, probe, count);
        }
        done += count;
    }
    if (cause != kCauseNone) {
        Clear();
        return cause;
    }
    size = done;
    return kCauseNone;
}

}  // namespace vondrel::os
