// The bytes of a file read whole, and the reading loop shared by the POSIX and Win32 bodies: a
// buffer of exactly the size the system reports (not zero-filled first), filled by reads, which
// still takes the whole file when it shrinks or grows while it is read. Portable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "os/file_cause.h"

namespace vondrel::os {

// Move-only owner of a file's bytes.
class FileBytes {
public:
    FileBytes() = default;
    std::string_view View() const { return std::string_view(data.get(), size); }
    std::size_t Size() const { return size; }
    bool Empty() const { return size == 0; }
    void Clear() {
        data.reset();
        size = capacity = 0;
    }

    // Reads until `read` reports the end: `expected` bytes (the size the system reported) into
    // a buffer of that size, then a probe for more. `read(to, count)` reads at most `count`
    // bytes into `to` and returns how many (0 at the end), or a negative number on failure,
    // with the cause in `failure`. A file that ends sooner keeps the bytes it had; one that
    // grows is read on (its buffer grown), up to `maxBytes`. Returns a file-error cause:
    // kCauseNone, the read's, kCauseTooLarge or kCauseOutOfMemory (then nothing is kept).
    using ReadFunction = std::function<std::int64_t(char* to, std::size_t count, FileCause& failure)>;
    FileCause Fill(std::uint64_t expected, std::uint64_t maxBytes, const ReadFunction& read);

private:
    bool Allocate(std::size_t capacity, std::size_t keep);  // false when out of memory

    std::unique_ptr<char[]> data;
    std::size_t size = 0;
    std::size_t capacity = 0;
};

}  // namespace vondrel::os
