// Timings of glorie Load and Save on a realistic 700-point file, Load's cost per byte on
// larger files, and, side by side, the scanner alone on in-memory bytes and the yardsticks on
// the same bytes (pugixml's DOM, copying and in place; expat and libxml2 SAX); Save with and
// without its flush, against the bytes alone and a rename alone; the file read alone and pugixml's
// load_file of the same file.
#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <filesystem>
#include <iterator>
#include <map>
#include <set>
#include <string>

#include "core/point_table.h"
#include "files/glorie_file.h"
#include "files/glorie_scanner.h"
#include "files/glorie_writer.h"
#include "os/file_io.h"
#include "sample_points.h"
#include "support/temp_dir.h"
#include "xml_yardsticks.h"

namespace vondrel::bench {
namespace {

// Everything the benchmarks share, made once: the 700-point file's bytes and files on disk.
class Samples {
public:
    static Samples& Get() {
        static Samples samples;
        return samples;
    }

    const PointTable& Table() const { return table; }
    const std::string& Bytes700() const { return bytes700; }
    const os::Path& Path700() const { return path700; }

    // Bytes of the file of about `size` bytes (made on first use).
    const std::string& SizedBytes(std::size_t size) {
        auto found = sized.find(size);
        if (found == sized.end()) found = sized.emplace(size, RepeatedBlocks(bytes700, size)).first;
        return found->second;
    }

    // Path of that file on disk (written on first use).
    os::Path SizedPath(std::size_t size) {
        const os::Path path = dir.File("sized-" + std::to_string(size) + ".xml");
        if (written.emplace(size).second) test::WriteFileBytes(path, SizedBytes(size));
        return path;
    }

    os::Path SavePath() const { return dir.File("saved.xml"); }
    os::Path FolderPath(const std::string& name) const { return dir.File(name); }

    // Where Load and Save would show a message: nowhere (a failure shows in the point count).
    MessageSink& Messages() { return messages; }

private:
    Samples() {
        FillSamplePoints(table);
        bytes700 = GlorieBytes(table);
        path700 = dir.File("points700.xml");
        test::WriteFileBytes(path700, bytes700);
    }

    class Unshown : public MessageSink {
        void ShowMessage(const std::string&) override {}
    };

    test::TempDir dir;
    Unshown messages;
    PointTable table;
    std::string bytes700;
    os::Path path700;
    std::map<std::size_t, std::string> sized;
    std::set<std::size_t> written;
};

// Bytes processed per iteration, shown both as a rate and as time per byte (the inverted
// rate, printed in seconds with an SI prefix: "4.9ns").
void CountBytes(benchmark::State& state, std::size_t bytes) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
    state.counters["per_byte"] = benchmark::Counter(
        static_cast<double>(bytes), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The points a file of whole blocks holds for the reader: its blocks, at most 700.
int PointsIn(const std::string& bytes) {
    int blocks = 0;
    for (std::size_t at = bytes.find("</gpoi>"); at != std::string::npos; at = bytes.find("</gpoi>", at + 1)) ++blocks;
    return blocks < kTableRows ? blocks : kTableRows;
}

void CheckLoaded(benchmark::State& state, const PointTable& table, const std::string& bytes) {
    if (table.GetCount() != PointsIn(bytes)) state.SkipWithError("the file did not read as its points");
}

void BM_Load700(benchmark::State& state) {
    Samples& samples = Samples::Get();
    PointTable table;
    for (auto _ : state) {
        LoadGlorieFile(samples.Path700(), table, samples.Messages());
        benchmark::DoNotOptimize(table.GetCount());
    }
    CheckLoaded(state, table, samples.Bytes700());
    CountBytes(state, samples.Bytes700().size());
}

// The scanner on bytes already in memory: Load without the file read.
void ScanBytes(benchmark::State& state, const std::string& bytes) {
    PointTable table;
    for (auto _ : state) {
        table.Reset();
        GlorieScanner scanner(table);
        scanner.Scan(bytes);
        benchmark::DoNotOptimize(table.GetCount());
    }
    CheckLoaded(state, table, bytes);
    CountBytes(state, bytes.size());
}

void BM_Scan700(benchmark::State& state) { ScanBytes(state, Samples::Get().Bytes700()); }

// pugixml building its DOM from the same bytes (copied into its own buffer, as load_buffer does).
// With glibc's default settings the document's memory goes back to the kernel when it is freed,
// so every parse also pays for faulting it in again; scripts/bench.sh runs every benchmark also
// with the heap keeping its memory (GLIBC_TUNABLES), which is the parse alone.
void BM_Pugixml700(benchmark::State& state) {
    const std::string& bytes = Samples::Get().Bytes700();
    {
        pugi::xml_document doc;
        const pugi::xml_parse_result result = doc.load_buffer(bytes.data(), bytes.size());
        const auto points = doc.child("glorie").children("gpoi");
        if (!result || std::distance(points.begin(), points.end()) != kTableRows) {
            state.SkipWithError("pugixml did not parse the 700-point file");
            return;
        }
    }
    for (auto _ : state) {
        pugi::xml_document doc;
        benchmark::DoNotOptimize(doc.load_buffer(bytes.data(), bytes.size()).status);
    }
    CountBytes(state, bytes.size());
}

// The yardsticks on the same bytes, each in a fresh copy made outside the timing (pugixml parses
// in place, writing into it): pugixml's DOM built in place, and expat and libxml2 as SAX parsers.
void Yardstick(benchmark::State& state, int (*parse)(std::string&)) {
    const std::string& bytes = Samples::Get().Bytes700();
    std::string copy = bytes;
    if (parse(copy) != kTableRows) {
        state.SkipWithError("the parser did not read the 700 points");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        copy.assign(bytes);
        state.ResumeTiming();
        benchmark::DoNotOptimize(parse(copy));
    }
    CountBytes(state, bytes.size());
}

void BM_PugixmlInPlace700(benchmark::State& state) { Yardstick(state, PugixmlInPlacePoints); }
void BM_Expat700(benchmark::State& state) {
    Yardstick(state, [](std::string& bytes) { return ExpatPoints(bytes); });
}
void BM_Libxml2Sax700(benchmark::State& state) {
    Yardstick(state, [](std::string& bytes) { return Libxml2SaxPoints(bytes); });
}

// The two halves of Load: the file read alone (into a buffer of its size), and pugixml reading
// the same file itself (load_file: its own read and parse), the yardstick that does what Load does.
void BM_Read700(benchmark::State& state) {
    Samples& samples = Samples::Get();
    for (auto _ : state) {
        os::FileBytes bytes;
        if (os::ReadWholeFile(samples.Path700(), bytes) != 0) state.SkipWithError("the file did not read");
        benchmark::DoNotOptimize(bytes.View().size());
    }
    CountBytes(state, samples.Bytes700().size());
}

void BM_PugixmlFile700(benchmark::State& state) {
    Samples& samples = Samples::Get();
    for (auto _ : state) {
        pugi::xml_document doc;
        benchmark::DoNotOptimize(doc.load_file(samples.Path700().c_str()).status);
    }
    CountBytes(state, samples.Bytes700().size());
}

// Load and the scanner timed the same way, for a comparison under the same conditions.
void BM_Load700Paused(benchmark::State& state) {
    Samples& samples = Samples::Get();
    PointTable table;
    std::string copy;
    for (auto _ : state) {
        state.PauseTiming();
        copy.assign(samples.Bytes700());
        state.ResumeTiming();
        LoadGlorieFile(samples.Path700(), table, samples.Messages());
        benchmark::DoNotOptimize(table.GetCount());
    }
    CheckLoaded(state, table, samples.Bytes700());
    CountBytes(state, samples.Bytes700().size());
}

void BM_LoadSized(benchmark::State& state) {
    Samples& samples = Samples::Get();
    const std::size_t size = static_cast<std::size_t>(state.range(0));
    const os::Path path = samples.SizedPath(size);
    PointTable table;
    for (auto _ : state) {
        LoadGlorieFile(path, table, samples.Messages());
        benchmark::DoNotOptimize(table.GetCount());
    }
    CheckLoaded(state, table, samples.SizedBytes(size));
    CountBytes(state, samples.SizedBytes(size).size());
}

void BM_ScanSized(benchmark::State& state) {
    ScanBytes(state, Samples::Get().SizedBytes(static_cast<std::size_t>(state.range(0))));
}

// Save as the editor does: the bytes, a temporary file beside the target, flushed to the disk,
// renamed over the target (and the folder flushed). Without the flush for comparison: what the
// guarantee against a power cut costs.
void SaveWith(benchmark::State& state, bool flush) {
    Samples& samples = Samples::Get();
    const os::Path path = samples.SavePath();
    os::WriteOptions options;
    options.flush = flush;
    for (auto _ : state) {
        if (SaveGlorieFile(path, samples.Table(), samples.Messages(), options) != FileOutcome::Done) {
            state.SkipWithError("Save failed");
            break;
        }
    }
    CountBytes(state, samples.Bytes700().size());
}

void BM_Save700(benchmark::State& state) { SaveWith(state, true); }
void BM_Save700NoFlush(benchmark::State& state) { SaveWith(state, false); }

// The writer alone: the bytes Save would write, without the file.
void BM_Bytes700(benchmark::State& state) {
    Samples& samples = Samples::Get();
    for (auto _ : state) benchmark::DoNotOptimize(GlorieBytes(samples.Table()).size());
    CountBytes(state, samples.Bytes700().size());
}

// The rename alone: a file of the same size moved back and forth between two names.
void BM_Rename700(benchmark::State& state) {
    Samples& samples = Samples::Get();
    const os::Path a = samples.FolderPath("rename-a.xml");
    const os::Path b = samples.FolderPath("rename-b.xml");
    test::WriteFileBytes(a, samples.Bytes700());
    bool atA = true;
    for (auto _ : state) {
        std::error_code error;
        std::filesystem::rename(atA ? a : b, atA ? b : a, error);
        if (error) {
            state.SkipWithError("rename failed");
            break;
        }
        atA = !atA;
    }
}

constexpr std::int64_t kSizes[] = {100 << 10, 1 << 20, 16 << 20};

void Sizes(benchmark::internal::Benchmark* b) {
    b->ArgName("bytes");
    for (std::int64_t size : kSizes) b->Arg(size);
}

BENCHMARK(BM_Load700)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Scan700)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Pugixml700)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_PugixmlInPlace700)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Read700)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_PugixmlFile700)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Load700Paused)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Expat700)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Libxml2Sax700)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_LoadSized)->Apply(Sizes)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_ScanSized)->Apply(Sizes)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Save700)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Save700NoFlush)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Rename700)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Bytes700)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
}  // namespace vondrel::bench

BENCHMARK_MAIN();
