// The import's sources: which reader takes a file, on which datum, and what it has to tell.
#include "editing/import_source.h"

#include <array>
#include <new>

#include "files/file_errors.h"
#include "files/glorie_file.h"
#include "files/message_sink.h"
#include "formats/point_files.h"
#include "formats/point_rows.h"
#include "formats/text_encoding.h"
#include "os/file_io.h"
#include "os/text_codec.h"

namespace vondrel {

namespace {

// The messages of a glorie file's load, kept in the report.
class KeptMessages : public MessageSink {
public:
    explicit KeptMessages(std::vector<std::string>& kept) : kept(kept) {}
    void ShowMessage(const std::string& text) override { kept.push_back(text); }

private:
    std::vector<std::string>& kept;
};

bool ReadGlorie(const os::Path& path, const ImportOptions&, PointTable& table, ImportReport& report) {
    KeptMessages sink(report.messages);
    return LoadGlorieFile(path, table, sink) == FileOutcome::Done;
}

// The warnings in UTF-8, one for each code page 932 line in its order: the reader's UTF-8 form of
// the line (naming points by the file's own texts) where it gave one, else the line itself.
std::vector<std::string> Utf8Warnings(const formats::ReadResult& read) {
    std::vector<std::string> lines;
    std::vector<bool> used(read.warningsUtf8.size(), false);
    for (const std::string& line : read.warnings) {
        std::string utf8 = formats::Cp932ToUtf8(line);
        for (std::size_t i = 0; i < read.warningsUtf8.size(); ++i) {
            bool replaced = false;
            if (used[i] || os::Utf8ToCp932Text(read.warningsUtf8[i], replaced) != line) continue;
            used[i] = true;
            utf8 = read.warningsUtf8[i];
            break;
        }
        lines.push_back(std::move(utf8));
    }
    return lines;
}

// GPX, KML, KMZ and CSV: the format by the extension, coordinates shifted from `datum`.
bool ReadInterchange(const os::Path& path, formats::Datum datum, const ImportOptions& options, PointTable& table,
                     ImportReport& report) {
    formats::ReadOptions readOptions;
    readOptions.datum = datum;
    readOptions.cancel = options.cancel;
    formats::ReadResult read;
    const os::FileCause cause = formats::ReadPointFile(path, readOptions, read);
    if (cause != os::kCauseNone) {
        report.messages.push_back(FileErrorMessage(cause, path));
        return false;
    }
    if (!read.error.empty()) {
        report.messages.push_back(formats::ReadMessage(path, read));
        return false;
    }
    report.warningsUtf8 = Utf8Warnings(read);
    report.warnings = std::move(read.warnings);
    PointTable filled;
    formats::FillTable(filled, read.points);
    table.Swap(filled);
    return true;
}

bool ReadOnWgs84(const os::Path& path, const ImportOptions& options, PointTable& table, ImportReport& report) {
    return ReadInterchange(path, options.datumForAll ? options.datum : formats::Datum::Wgs84, options, table, report);
}

bool ReadOnChosenDatum(const os::Path& path, const ImportOptions& options, PointTable& table, ImportReport& report) {
    return ReadInterchange(path, options.datum, options, table, report);
}

// One kind of file the import reads: its name in the file dialog's list, its extensions, and
// its reading (true once `table` holds the points).
struct Source {
    const char* filterName;
    std::array<const char*, 3> extensions;  // without the dot; unused ones null
    bool (*read)(const os::Path& path, const ImportOptions& options, PointTable& table, ImportReport& report);
};

constexpr Source kSources[] = {
    {"地点ファイル ( *.xml)", {"xml"}, ReadGlorie},
    {"GPX ファイル (*.gpx)", {"gpx"}, ReadOnWgs84},
    {"KML・KMZ ファイル (*.kml; *.kmz)", {"kml", "kmz"}, ReadOnWgs84},
    {"CSV ファイル (*.csv; *.tsv; *.txt)", {"csv", "tsv", "txt"}, ReadOnChosenDatum},
    // GeoJSON, Google Takeout's saved places among them (told apart by their content).
    {"GeoJSON ファイル (*.geojson; *.json)", {"geojson", "json"}, ReadOnWgs84},
};

const Source* SourceOf(const os::Path& path) {
    for (const Source& source : kSources) {
        for (const char* extension : source.extensions) {
            if (extension && os::HasExtension(path, std::string(".") + extension)) return &source;
        }
    }
    return nullptr;
}

}  // namespace

std::vector<std::string> ImportReport::Shown(const os::Path& path) const {
    std::vector<std::string> shown = messages;
    if (warnings.empty()) return shown;
    formats::ReadResult read;
    read.warnings = warnings;
    shown.push_back(formats::ReadMessage(path, read));
    return shown;
}

std::string ImportReport::ShownWarningsUtf8(const os::Path& path) const {
    if (warningsUtf8.empty()) return std::string();
    std::string shown = formats::Cp932ToUtf8("\"" + os::DisplayPath(path) + "\"\n");
    for (const std::string& line : warningsUtf8) shown += "\n" + line;
    return shown;
}

bool ReadAnyPointFile(const os::Path& path, const ImportOptions& options, PointTable& table, ImportReport& report) {
    try {
        if (const Source* source = SourceOf(path)) return source->read(path, options, table, report);
        report.messages.push_back(UnknownFileMessage(path));
    } catch (const std::bad_alloc&) {
        report.messages.assign(1, FileErrorMessage(os::kCauseOutOfMemory, path));
        report.warnings.clear();
        report.warningsUtf8.clear();
    }
    return false;
}

bool IsOtherProgramsFile(const os::Path& path) {
    const Source* source = SourceOf(path);
    return source && source->read != ReadGlorie;
}

bool ReadsOnChosenDatum(const os::Path& path) {
    const Source* source = SourceOf(path);
    return source && source->read == ReadOnChosenDatum;
}

std::string ImportFilter() {
    std::string names, patterns, each;
    for (const Source& source : kSources) {
        std::string own;
        for (const char* extension : source.extensions) {
            if (!extension) continue;
            names += names.empty() ? extension : std::string(", ") + extension;
            patterns += (patterns.empty() ? "*." : ";*.") + std::string(extension);
            own += (own.empty() ? "*." : ";*.") + std::string(extension);
        }
        each += std::string(source.filterName) + "|" + own + "|";
    }
    return "すべての地点ファイル (" + names + ")|" + patterns + "|" + each + "すべてのファイル (*.*)|*.*||";
}

}  // namespace vondrel
