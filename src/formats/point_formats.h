// Points from and to the formats other programs use: GPX, KML, KMZ, CSV (also TSV and TXT)
// and GeoJSON. Readers take a file's bytes and give the points in the point table's terms (Tokyo
// datum, code page 932 texts) with warnings about them; writers give a file's bytes. Both
// work in memory; point_files.h reads and writes the files.
#pragma once

#include <atomic>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "os/path.h"

namespace vondrel::formats {

// The datum of the coordinates in the other program's file.
enum class Datum { Wgs84, Tokyo };

enum class Format { None, Gpx, Kml, Kmz, Csv, GeoJson };

// The format a file name's extension (any case) stands for: for reading .gpx, .kml, .kmz,
// .csv, .tsv, .txt, .geojson and .json; for writing .gpx, .kml, .csv, .geojson and .json. None
// for any other name.
Format ImportFormatOf(const os::Path& path);
Format ExportFormatOf(const os::Path& path);

// One point between the point table and a file. Texts are code page 932.
struct FormatPoint {
    std::string name;
    std::string reading;
    std::string tel;
    double lat = 0;          // decimal degrees north, Tokyo datum
    double lon = 0;          // decimal degrees east, Tokyo datum
    int mark = 1;            // the mark number as the editor shows it: a new point's 1 unless the file gives one (0: none)
    std::string sound = "0";
    std::string direction;   // approach direction in whole degrees; empty: none
    bool noPosition = false; // known by name or address only: lat and lon mean nothing

    bool operator==(const FormatPoint& other) const;
};

// A KMZ archive whose KML would inflate beyond this many bytes is refused.
constexpr std::size_t kMaxInflatedKml = 64u * 1024u * 1024u;

// KML whose elements nest deeper than this below its root is refused (folders nest a few deep).
constexpr std::size_t kMaxKmlDepth = 100;

struct ReadOptions {
    Datum datum = Datum::Wgs84;
    std::size_t maxPoints = 700;  // points past these are counted, not kept (the table's rows)
    std::size_t maxInflatedKml = kMaxInflatedKml;
    std::size_t maxKmlDepth = kMaxKmlDepth;
    const std::atomic<bool>* cancel = nullptr;  // once true, the reading stops, refused
};

struct ReadResult {
    std::vector<FormatPoint> points;    // at most maxPoints
    std::size_t total = 0;              // the usable points of the file, kept or not
    std::vector<std::string> warnings;  // code page 932, one line each
    std::vector<std::string> warningsUtf8;  // the same lines in UTF-8, naming points by the file's own texts
    std::string error;                  // code page 932; not empty: the file is refused, no points
};

// The points of a file of `format` held in `bytes`. Never throws: running out of memory on a
// huge file is a refusal too.
ReadResult ReadPoints(std::string_view bytes, Format format, const ReadOptions& options = {});

// The bytes of a file of `format` (Gpx, Kml, Csv or GeoJson) holding `points`, with coordinates
// on `datum` to seven decimals: GPX 1.1, KML 2.2 and GeoJSON in UTF-8, CSV in UTF-8 with a
// byte-order mark.
std::string WritePoints(const std::vector<FormatPoint>& points, Format format, Datum datum = Datum::Wgs84);

}  // namespace vondrel::formats
