// vondrel-cli import and export: points between glorie files and GPX, KML, KMZ and CSV, read
// and written exactly as the editor's import pane and its export do.
#pragma once

#include "cli/cli_app.h"
#include "formats/point_formats.h"
#include "os/path.h"

namespace vondrel::cli {

// Reads `in` by its extension (a glorie .xml, or GPX, KML, KMZ, CSV, TSV, TXT with coordinates
// on `datum`) and writes its points to `out` as the editor saves points dragged in from the
// import pane: names shortened to 16 bytes, at most 700 points. Warnings go to the error
// output one a line, and so are the points without a position, which are left out. 0 when
// written; 1, with `out` untouched, for an input that cannot be read or holds no points with a
// position, an `out` that is the input itself (unless `force`), or a failed write.
int Import(const os::Path& in, const os::Path& out, formats::Datum datum, bool force, Output& output);

// Writes the points of the glorie file `in` to `out` as the format its extension names (.gpx,
// .kml or .csv, any case) with coordinates on `datum`. 0 when written; 1 for an input that cannot
// be read or holds no points, an `out` that is the input itself (unless `force`), or a failed
// write (the old file is kept); 2 for another extension.
int Export(const os::Path& in, const os::Path& out, formats::Datum datum, bool force, Output& output);

}  // namespace vondrel::cli
