// Timings of the interchange formats on the 700 sample points written as GPX, KML and CSV in
// WGS 84: reading (parse, code page 932 conversion and datum shift) from the bytes and from a
// file into a point table, as an import does, and writing GPX.
#include <benchmark/benchmark.h>

#include "formats/point_files.h"
#include "formats/point_rows.h"
#include "sample_points.h"
#include "support/temp_dir.h"

namespace vondrel::bench {
namespace {

const std::vector<formats::FormatPoint>& SamplePoints() {
    static const std::vector<formats::FormatPoint> points = [] {
        PointTable table;
        FillSamplePoints(table);
        return formats::TablePoints(table);
    }();
    return points;
}

void BM_ReadPoints700(benchmark::State& state, formats::Format format) {
    const std::string bytes = formats::WritePoints(SamplePoints(), format);
    for (auto _ : state) {
        formats::ReadResult result = formats::ReadPoints(bytes, format);
        benchmark::DoNotOptimize(result.points.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_ImportGpx700File(benchmark::State& state) {
    test::TempDir dir;
    const os::Path path = dir.File("points.gpx");
    test::WriteFileBytes(path, formats::WritePoints(SamplePoints(), formats::Format::Gpx));
    PointTable table;
    for (auto _ : state) {
        formats::ReadResult result;
        formats::ReadPointFile(path, {}, result);
        benchmark::DoNotOptimize(formats::FillTable(table, result.points));
    }
}

void BM_WriteGpx700(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(formats::WritePoints(SamplePoints(), formats::Format::Gpx));
}

BENCHMARK_CAPTURE(BM_ReadPoints700, Gpx, formats::Format::Gpx)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_ReadPoints700, Kml, formats::Format::Kml)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_ReadPoints700, Csv, formats::Format::Csv)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_ImportGpx700File)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_WriteGpx700)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
}  // namespace vondrel::bench
