// libFuzzer target for loading: arbitrary bytes go through what Load does after reading a file
// (encoding conversion, point-file check, scanner, text caps) into a point table, whose state
// must stay consistent and whose texts stay within 1,023 bytes; the scanner fed in two pieces
// must read what the reference scanner (the one it replaced) reads; the points are then saved
// and loaded again, and the second save must be byte-identical to the first.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/limits.h"
#include "core/point_table.h"
#include "files/glorie_file.h"
#include "files/glorie_scanner.h"
#include "files/glorie_writer.h"
#include "files/reference_scanner.h"

namespace {

using vondrel::kMaxTextBytes;
using vondrel::kTableRows;
using vondrel::PointRecord;
using vondrel::PointTable;

[[noreturn]] void Fail(const char* what, int row) {
    std::fprintf(stderr, "invariant broken: %s (row %d)\n", what, row);
    std::abort();
}

// The count matches the packed run of used rows, never beyond 700; no text is longer than
// the cap.
void Check(const PointTable& table) {
    const int count = table.GetCount();
    if (count < 0 || count > kTableRows) Fail("count outside 0..700", count);
    if (count != table.UsedCount()) Fail("count differs from UsedCount", count);
    for (int i = 0; i < kTableRows; ++i) {
        const bool used = i < count;
        if (table.IsUsed(i) != used) Fail("used rows not packed at the front", i);
        if (!used) continue;
        const PointRecord& row = table.Row(i);
        if (row.slot != i) Fail("slot number differs from the row", i);
        for (const std::string* text : {&row.name, &row.reading, &row.lon, &row.lat, &row.mark, &row.tel, &row.sound,
                                        &row.outmost, &row.dcenter}) {
            if (text->size() > kMaxTextBytes) Fail("a text longer than the cap", i);
        }
    }
}

bool SameRows(const PointTable& a, const PointTable& b) {
    if (a.GetCount() != b.GetCount()) return false;
    for (int i = 0; i < a.GetCount(); ++i) {
        const PointRecord& x = a.Row(i);
        const PointRecord& y = b.Row(i);
        if (x.slot != y.slot || x.name != y.name || x.reading != y.reading || x.lon != y.lon || x.lat != y.lat ||
            x.mark != y.mark || x.tel != y.tel || x.sound != y.sound || x.outmost != y.outmost ||
            x.dcenter != y.dcenter || x.directionOn != y.directionOn) {
            return false;
        }
    }
    return true;
}

// Loads `bytes` as Load does into `table` (emptied first); false when they are no point file.
bool Load(PointTable& table, std::string_view bytes) {
    table.Reset();
    std::vector<std::string> warnings;
    const bool read = vondrel::ReadGlorieBytes(std::string(bytes), table, warnings) == vondrel::FileOutcome::Done;
    Check(table);
    return read;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static PointTable first;  // static: a table is 700 rows, too big to build for every input
    static PointTable second;
    if (!Load(first, bytes)) return 0;

    // The scanner alone, fed in two pieces (state carried between calls), reads what the
    // reference scanner it replaced reads from the whole.
    const std::size_t cut = size == 0 ? 0 : data[0] * size / 256;
    second.Reset();
    vondrel::GlorieScanner pieces(second);
    pieces.Scan(bytes.substr(0, cut));
    pieces.Scan(bytes.substr(cut));
    if (pieces.CompletedPoints() != second.GetCount()) Fail("completed points differ from the count", second.GetCount());
    static PointTable reference;
    reference.Reset();
    vondrel::test::ReferenceScanner referenceScanner(reference);
    referenceScanner.Scan(bytes);
    if (referenceScanner.DroppedPoints() != pieces.DroppedPoints() || !SameRows(reference, second)) {
        Fail("the scanner read otherwise than the reference scanner", second.GetCount());
    }

    // Saved, loaded and saved again: the same bytes (every field read is written back). The
    // output is bounded: texts of at most 1,023 bytes, each byte escaped to at most 6.
    const std::string saved = vondrel::GlorieBytes(first);
    if (saved.size() > 1000 + static_cast<std::size_t>(first.GetCount()) * (1200 + 12 * 6 * kMaxTextBytes)) {
        Fail("the saved file is out of proportion to the points", first.GetCount());
    }
    if (!Load(second, saved)) Fail("a saved file is no point file", -1);
    if (second.GetCount() != first.GetCount()) Fail("the round trip changed the number of points", second.GetCount());
    if (vondrel::GlorieBytes(second) != saved) Fail("a second save differs from the first", -1);
    return 0;
}
