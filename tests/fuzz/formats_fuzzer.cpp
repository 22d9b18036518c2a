// libFuzzer target for one interchange reader, chosen when building (VONDREL_FUZZ_FORMAT:
// Gpx, Kml, Kmz, Csv or GeoJson): arbitrary bytes are read; every point read must lie where the point
// forms can hold it, and the points written as CSV must read back as just as many points.
// The KMZ limit is lowered to 256 KiB so that inputs of a few kilobytes reach it.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "formats/point_formats.h"

namespace {

using namespace vondrel::formats;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ReadOptions options;
    options.maxInflatedKml = 256 * 1024;
    const ReadResult result = ReadPoints(std::string_view(reinterpret_cast<const char*>(data), size),
                                         Format::VONDREL_FUZZ_FORMAT, options);
    if (result.error.empty() == result.points.empty()) Fail("an error and points, or neither");
    for (const FormatPoint& p : result.points) {
        if (!(p.lat >= 0 && p.lat <= 90 && p.lon >= 0 && p.lon <= 180)) Fail("position outside the point forms");
        if (p.mark < 0 || p.mark > 55) Fail("mark outside 0..55");
    }
    if (!result.points.empty()) {
        const ReadResult back = ReadPoints(WritePoints(result.points, Format::Csv, Datum::Tokyo), Format::Csv, {Datum::Tokyo});
        if (back.points.size() != result.points.size()) Fail("written points do not read back");
    }
    return 0;
}
