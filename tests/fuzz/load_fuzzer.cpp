// libFuzzer target for Load's scanning: arbitrary bytes go through the glorie scanner into a
// point table, whose state must stay consistent; the table is then written and read back,
// and the second reading must give the same points as the first.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/point_table.h"
#include "files/glorie_scanner.h"
#include "files/glorie_writer.h"

namespace {

using vondrel::GlorieScanner;
using vondrel::kTableRows;
using vondrel::PointRecord;
using vondrel::PointTable;

[[noreturn]] void Fail(const char* what, int row) {
    std::fprintf(stderr, "invariant broken: %s (row %d)\n", what, row);
    std::abort();
}

// Scans `bytes` as Load does (in one piece, or in two to cover state carried between calls)
// and checks the table: the count matches the packed run of used rows, never beyond 700.
void ScanAndCheck(PointTable& table, std::string_view bytes, std::size_t cut) {
    table.Reset();
    GlorieScanner scanner(table);
    scanner.Scan(bytes.substr(0, cut));
    scanner.Scan(bytes.substr(cut));
    if (scanner.CompletedPoints() != table.GetCount()) Fail("completed points differ from the count", table.GetCount());

    const int count = table.GetCount();
    if (count < 0 || count > kTableRows) Fail("count outside 0..700", count);
    if (count != table.UsedCount()) Fail("count differs from UsedCount", count);
    for (int i = 0; i < kTableRows; ++i) {
        const bool used = i < count;
        if (table.IsUsed(i) != used) Fail("used rows not packed at the front", i);
        if (used && table.Row(i).slot != i) Fail("slot number differs from the row", i);
    }
}

// What the writer keeps of a point, after it has been through one write and read.
bool SamePoint(const PointRecord& a, const PointRecord& b) {
    return a.name == b.name && a.reading == b.reading && a.lat == b.lat && a.lon == b.lon && a.mark == b.mark &&
           a.sound == b.sound && a.directionOn == b.directionOn && (a.directionOn == 0 || a.dcenter == b.dcenter);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The first byte chooses where the input is split between two Scan calls.
    const std::size_t cut = size == 0 ? 0 : data[0] * size / 256;

    static PointTable first;  // static: a table is 700 rows, too big to build for every input
    static PointTable second;
    static PointTable third;
    ScanAndCheck(first, bytes, cut);

    // Written and read back: whatever was read must survive the round trip without a crash.
    const std::string written = vondrel::GlorieBytes(first);
    ScanAndCheck(second, written, written.size());
    if (second.GetCount() != first.GetCount()) Fail("round trip changed the number of points", second.GetCount());

    // Texts the writer escaped or a reader trimmed settle after one trip; from then on the
    // bytes and the points must be stable.
    const std::string rewritten = vondrel::GlorieBytes(second);
    ScanAndCheck(third, rewritten, rewritten.size() / 2);
    for (int i = 0; i < second.GetCount(); ++i) {
        if (!SamePoint(second.Row(i), third.Row(i))) Fail("second round trip changed a point", i);
    }
    if (vondrel::GlorieBytes(third) != rewritten) Fail("second round trip changed the bytes", -1);
    return 0;
}
