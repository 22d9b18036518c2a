// One measured run of one reader over a file's bytes, for instruction counts under callgrind
// (scripts/bench-instructions.sh): the file is read before the measured function and the
// result checked after it, so the count covers the reading alone. Also writes the benchmark's
// files (the 700-point file, or its blocks repeated to a size).
//   vondrel_measure_once write FILE [BYTES]
//   vondrel_measure_once scan|load|pugixml|expat|libxml2 FILE
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/point_table.h"
#include "files/glorie_file.h"
#include "files/glorie_scanner.h"
#include "files/glorie_writer.h"
#include "sample_points.h"
#include "xml_yardsticks.h"

namespace {

using vondrel::PointTable;

class Unshown : public vondrel::MessageSink {
    void ShowMessage(const std::string&) override {}
};

std::string ReadBytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The measured functions: callgrind counts from their entry to their return
// (--toggle-collect=Measured*), never inlined into the code around them.
__attribute__((noinline)) int MeasuredScan(const std::string& bytes, PointTable& table) {
    vondrel::GlorieScanner scanner(table);
    scanner.Scan(bytes);
    return scanner.CompletedPoints();
}

__attribute__((noinline)) int MeasuredLoad(const char* path, PointTable& table) {
    Unshown messages;
    vondrel::LoadGlorieFile(vondrel::os::Path(std::string(path)), table, messages);
    return table.GetCount();
}

__attribute__((noinline)) int MeasuredPugixml(std::string& bytes) { return vondrel::bench::PugixmlInPlacePoints(bytes); }
__attribute__((noinline)) int MeasuredExpat(const std::string& bytes) { return vondrel::bench::ExpatPoints(bytes); }
__attribute__((noinline)) int MeasuredLibxml2(const std::string& bytes) { return vondrel::bench::Libxml2SaxPoints(bytes); }

int Write(const char* path, std::size_t size) {
    PointTable table;
    vondrel::bench::FillSamplePoints(table);
    std::string bytes = vondrel::GlorieBytes(table);
    if (size > 0) bytes = vondrel::bench::RepeatedBlocks(bytes, size);
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return out ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: vondrel_measure_once write FILE [BYTES] | scan|load|pugixml|expat|libxml2 FILE\n", stderr);
        return 2;
    }
    const std::string what = argv[1];
    if (what == "write") return Write(argv[2], argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 0);
    std::string bytes = ReadBytes(argv[2]);
    static PointTable table;
    int points = -1;
    if (what == "scan") points = MeasuredScan(bytes, table);
    if (what == "load") points = MeasuredLoad(argv[2], table);
    if (what == "pugixml") points = MeasuredPugixml(bytes);
    if (what == "expat") points = MeasuredExpat(bytes);
    if (what == "libxml2") points = MeasuredLibxml2(bytes);
    std::printf("%s: %d points\n", what.c_str(), points);
    return points > 0 ? 0 : 1;
}
