// vondrel-cli import and export over the editor's own reading, document and writing code.
#include "cli/cli_interchange.h"

#include <numeric>
#include <vector>

#include "core/point_table.h"
#include "editing/point_document.h"
#include "files/file_errors.h"
#include "files/glorie_file.h"
#include "formats/point_files.h"
#include "formats/point_rows.h"
#include "os/file_io.h"

namespace vondrel::cli {

namespace {
std::string NothingToWrite(const os::Path& path) { return "\"" + os::DisplayPath(path) + "\"\n\n地点がありません"; }

// The points of a file of another format into `table`, as the import pane reads them.
bool ReadOtherFormat(const os::Path& in, formats::Datum datum, PointTable& table, Output& output) {
    formats::ReadOptions options;
    options.datum = datum;
    formats::ReadResult read;
    const os::FileCause cause = formats::ReadPointFile(in, options, read);
    if (cause != os::kCauseNone) {
        output.err += FileErrorMessage(cause, in) + '\n';
        return false;
    }
    if (!read.error.empty()) {
        output.err += formats::ReadMessage(in, read) + '\n';
        return false;
    }
    for (const std::string& warning : read.warnings) output.err += warning + '\n';
    formats::FillTable(table, read.points);
    return true;
}
}  // namespace

int Import(const os::Path& in, const os::Path& out, formats::Datum datum, Output& output) {
    ErrorSink sink(output.err);
    PointTable read;
    const formats::Format format = formats::ImportFormatOf(in);
    if (format == formats::Format::None) {
        if (LoadGlorieFile(in, read, sink) != FileOutcome::Done) return 1;  // the loader refuses names without .xml
        if (read.GetCount() == 0) {
            sink.ShowMessage(NothingToWrite(in));
            return 1;
        }
    } else if (!ReadOtherFormat(in, datum, read, output)) {
        return 1;
    }
    // Every point goes through the edited list's rules, as a drag from the import pane does.
    std::vector<int> rows(static_cast<std::size_t>(read.GetCount()));
    std::iota(rows.begin(), rows.end(), 0);
    PointDocument document;
    document.InsertCopies(0, read, rows, Selection{});
    return SaveGlorieFile(out, document.Points(), sink) == FileOutcome::Done ? 0 : 1;
}

int Export(const os::Path& in, const os::Path& out, formats::Datum datum, Output& output) {
    const formats::Format format = formats::ExportFormatOf(out);
    if (format == formats::Format::None) {
        output.err += "vondrel-cli: export writes .gpx, .kml or .csv files: " + os::DisplayPath(out) + '\n';
        return 2;
    }
    ErrorSink sink(output.err);
    PointTable table;
    if (LoadGlorieFile(in, table, sink) != FileOutcome::Done) return 1;
    if (table.GetCount() == 0) {
        sink.ShowMessage(NothingToWrite(in));
        return 1;
    }
    const os::WriteResult written = formats::WritePointFile(out, formats::TablePoints(table), format, datum);
    if (written.Ok()) return 0;
    ReportFileError(sink, written.cause, written.subject);
    return 1;
}

}  // namespace vondrel::cli
