// vondrel-cli import and export over the editor's own reading, document and writing code.
#include "cli/cli_interchange.h"

#include <vector>

#include "core/point_table.h"
#include "core/point_warning_list.h"
#include "editing/import_source.h"
#include "editing/point_document.h"
#include "files/file_errors.h"
#include "files/glorie_file.h"
#include "formats/point_files.h"
#include "formats/point_rows.h"
#include "os/file_io.h"

namespace vondrel::cli {

namespace {
std::string NothingToWrite(const os::Path& path) { return "\"" + os::DisplayPath(path) + "\"\n\n地点がありません"; }

// Writing over the file read would lose it (the points come back through the edited list's rules
// or as another format): refused unless forced.
bool RefusedOverInput(const os::Path& in, const os::Path& out, bool force, Output& output) {
    if (force || !os::SameFile(in, out)) return false;
    output.err += "vondrel-cli: not written over the file read (--force writes it)\n";
    return true;
}
}  // namespace

int Import(const os::Path& in, const os::Path& out, formats::Datum datum, bool force, Output& output) {
    ImportOptions options;
    options.datum = datum;
    options.datumForAll = true;
    PointTable read;
    ImportReport report;
    const bool loaded = ReadAnyPointFile(in, options, read, report);
    for (const std::string& line : report.messages) output.err += line + '\n';
    for (const std::string& line : report.warningsUtf8) AppendUtf8(output.err, line + '\n');
    if (!loaded) return 1;
    ErrorSink sink(output.err);
    // A glorie file holds no point without a position that the navigation unit could use: such
    // points are left out, and named.
    std::vector<int> rows;
    PointWarningList unplaced("位置がないため書き込まなかった地点");
    for (int i = 0; i < read.GetCount(); ++i) {
        if (formats::HasNoPosition(read.Row(i))) {
            unplaced.Add(read.Row(i).name.empty() ? std::to_string(i + 1) + " 番目の地点" : read.Row(i).name);
        } else {
            rows.push_back(i);
        }
    }
    std::vector<std::string> lines;
    unplaced.AppendLine(lines);
    for (const std::string& line : lines) output.err += line + '\n';
    if (rows.empty()) {
        sink.ShowMessage(unplaced.Count() > 0 ? "\"" + os::DisplayPath(in) + "\"\n\n位置のある地点がありません" : NothingToWrite(in));
        return 1;
    }
    if (RefusedOverInput(in, out, force, output)) return 1;
    // Every point goes through the edited list's rules, as a drag from the import pane does.
    PointDocument document;
    document.InsertCopies(0, read, rows, Selection{});
    return SaveGlorieFile(out, document.Points(), sink) == FileOutcome::Done ? 0 : 1;
}

int Export(const os::Path& in, const os::Path& out, formats::Datum datum, bool force, Output& output) {
    const formats::Format format = formats::ExportFormatOf(out);
    if (format == formats::Format::None) {
        output.err += "vondrel-cli: export writes .gpx, .kml, .csv or .geojson files: " + os::DisplayPath(out) + '\n';
        return 2;
    }
    ErrorSink sink(output.err);
    PointTable table;
    if (LoadGlorieFile(in, table, sink) != FileOutcome::Done) return 1;
    if (table.GetCount() == 0) {
        sink.ShowMessage(NothingToWrite(in));
        return 1;
    }
    // Points without a position are left out: other programs' files hold none such.
    const std::vector<formats::FormatPoint> points = formats::TablePoints(table);
    if (points.empty()) {
        sink.ShowMessage("\"" + os::DisplayPath(in) + "\"\n\n位置のある地点がありません");
        return 1;
    }
    if (RefusedOverInput(in, out, force, output)) return 1;
    const os::WriteResult written = formats::WritePointFile(out, points, format, datum);
    if (written.Ok()) return 0;
    ReportFileError(sink, written.cause, written.subject);
    return 1;
}

}  // namespace vondrel::cli
