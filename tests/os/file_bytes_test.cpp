// Reading a whole file into a buffer of the size the system reported: files that shrink or grow
// while they are read, short reads, failures and the size limit.
#include <gtest/gtest.h>

#include <algorithm>

#include <string>

#include "os/file_bytes.h"
#include "os/file_io.h"

namespace vondrel::os {
namespace {

TEST(FileBytes, TakesTheWholeFileWhateverSizeWasReported) {
    const std::string content(10000, 'x');
    const struct {
        std::uint64_t reported;    // the size the system gave
        std::size_t actual;        // the bytes the reads then deliver
        std::size_t chunk;         // at most this many per read
        std::uint64_t maxBytes;
        int cause;
        std::size_t kept;
    } cases[] = {
        {100, 100, 100, 1000, kCauseNone, 100},
        {100, 100, 7, 1000, kCauseNone, 100},         // short reads
        {100, 40, 100, 1000, kCauseNone, 40},         // shrank while read
        {0, 0, 100, 1000, kCauseNone, 0},
        {100, 9000, 100, 10000, kCauseNone, 9000},     // grew, past several probes
        {0, 5000, 4096, 10000, kCauseNone, 5000},      // a size of 0 for a file with bytes
        {100, 5000, 100, 4000, kCauseTooLarge, 0},     // grew past the limit
        {5000, 5000, 100, 4000, kCauseTooLarge, 0},    // reported past the limit: not read
    };
    for (const auto& c : cases) {
        std::size_t delivered = 0;
        int reads = 0;
        FileBytes bytes;
        const int cause = bytes.Fill(c.reported, c.maxBytes, [&](char* to, std::size_t count, FileCause&) {
            ++reads;
            const std::size_t n = std::min({count, c.chunk, c.actual - delivered});
            content.copy(to, n, delivered);
            delivered += n;
            return static_cast<std::int64_t>(n);
        });
        EXPECT_EQ(cause, c.cause) << c.reported << " " << c.actual;
        EXPECT_EQ(bytes.View(), content.substr(0, c.kept)) << c.reported << " " << c.actual;
        if (c.reported > c.maxBytes) {
            EXPECT_EQ(reads, 0);
        }
    }
}

TEST(FileBytes, AFailedReadKeepsNothing) {
    FileBytes bytes;
    int reads = 0;
    const int cause = bytes.Fill(100, 1000, [&](char*, std::size_t count, FileCause& failure) -> std::int64_t {
        if (++reads == 1) return static_cast<std::int64_t>(count / 2);
        failure = kCauseHardIO;
        return -1;
    });
    EXPECT_EQ(cause, kCauseHardIO);
    EXPECT_TRUE(bytes.Empty());
}

}  // namespace
}  // namespace vondrel::os
