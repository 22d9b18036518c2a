// Reading any point file the import takes, chosen by the name's extension: glorie XML files, and
// the GPX, KML, KMZ, CSV (TSV, TXT) and GeoJSON (JSON) files of other programs, shifted to the
// Tokyo datum. The import pane (and its file dialog) and vondrel-cli import go through it. Each kind of file is
// one entry of the source table in import_source.cpp: a new kind is a reader and an entry there.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "core/point_table.h"
#include "formats/point_formats.h"
#include "os/path.h"

namespace vondrel {

struct ImportOptions {
    // The datum of CSV coordinates, which may be on either; GPX and KML are on WGS 84 by
    // definition, unless `datumForAll` (vondrel-cli's --datum).
    formats::Datum datum = formats::Datum::Wgs84;
    bool datumForAll = false;
    // Once true, a reading of another program's file stops, refused.
    const std::atomic<bool>* cancel = nullptr;
};

// What a reading has to tell (code page 932).
struct ImportReport {
    // Whole messages: a refusal or failure, or what the glorie loader noted about the points.
    std::vector<std::string> messages;
    // About the points of another program's file, one line each; and the same lines in UTF-8,
    // naming the points by the file's own texts.
    std::vector<std::string> warnings;
    std::vector<std::string> warningsUtf8;

    // Everything as the editor shows it: the messages, then the warnings as one message under
    // the file's name.
    std::vector<std::string> Shown(const os::Path& path) const;
    // The warnings in UTF-8 as one message under the file's name; empty when there are none.
    std::string ShownWarningsUtf8(const os::Path& path) const;
};

// Reads `path` by its extension into `table`, replacing its points: true once read. A refusal
// or failure (an unknown extension, a file that cannot be read or is not of its kind, a
// cancelled reading, no memory) returns false with `table` untouched. Never throws.
bool ReadAnyPointFile(const os::Path& path, const ImportOptions& options, PointTable& table, ImportReport& report);

// Whether ImportOptions::datum decides where the points of `path` lie (a CSV file), so that a
// new choice of datum means reading it again.
bool ReadsOnChosenDatum(const os::Path& path);

// Whether `path` names a file of another program that the import reads (GPX, KML, CSV, ...):
// one the editor cannot open as a point list, but the import pane can read.
bool IsOtherProgramsFile(const os::Path& path);

// The import's file dialog filter ("name|patterns|" pairs): every kind of file it reads, then
// each kind, then all files.
std::string ImportFilter();

}  // namespace vondrel
