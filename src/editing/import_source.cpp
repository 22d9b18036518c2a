// The import's sources: which reader takes a file, on which datum, and what it has to tell.
#include "editing/import_source.h"

#include <new>

#include "files/file_errors.h"
#include "files/glorie_file.h"
#include "files/message_sink.h"
#include "formats/point_files.h"
#include "formats/point_rows.h"
#include "os/file_io.h"

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

bool IsGlorieName(const os::Path& path) { return os::HasExtension(path, ".xml"); }

bool ReadGlorie(const os::Path& path, const ImportOptions&, PointTable& table, ImportReport& report) {
    KeptMessages sink(report.messages);
    return LoadGlorieFile(path, table, sink) == 0;
}

bool IsInterchangeName(const os::Path& path) { return formats::ImportFormatOf(path) != formats::Format::None; }

bool ReadInterchange(const os::Path& path, const ImportOptions& options, PointTable& table, ImportReport& report) {
    formats::ReadOptions readOptions;
    readOptions.datum = options.datumForAll || ReadsOnChosenDatum(path) ? options.datum : formats::Datum::Wgs84;
    readOptions.cancel = options.cancel;
    formats::ReadResult read;
    const int cause = formats::ReadPointFile(path, readOptions, read);
    if (cause != os::kCauseNone) {
        report.messages.push_back(FileErrorMessage(cause, path));
        return false;
    }
    if (!read.error.empty()) {
        report.messages.push_back(formats::ReadMessage(path, read));
        return false;
    }
    report.warnings = std::move(read.warnings);
    PointTable filled;
    formats::FillTable(filled, read.points);
    table.Swap(filled);
    return true;
}

// One kind of file: whether a name is of it, and its reading (true once `table` holds the points).
struct Source {
    bool (*takes)(const os::Path& path);
    bool (*read)(const os::Path& path, const ImportOptions& options, PointTable& table, ImportReport& report);
};

// The first source that takes a name reads the file.
constexpr Source kSources[] = {
    {IsGlorieName, ReadGlorie},
    {IsInterchangeName, ReadInterchange},
};

}  // namespace

std::vector<std::string> ImportReport::Shown(const os::Path& path) const {
    std::vector<std::string> shown = messages;
    if (warnings.empty()) return shown;
    formats::ReadResult read;
    read.warnings = warnings;
    shown.push_back(formats::ReadMessage(path, read));
    return shown;
}

bool ReadAnyPointFile(const os::Path& path, const ImportOptions& options, PointTable& table, ImportReport& report) {
    try {
        for (const Source& source : kSources) {
            if (source.takes(path)) return source.read(path, options, table, report);
        }
        report.messages.push_back(UnknownFileMessage(path));
    } catch (const std::bad_alloc&) {
        report.messages.assign(1, FileErrorMessage(os::kCauseOutOfMemory, path));
        report.warnings.clear();
    }
    return false;
}

bool ReadsOnChosenDatum(const os::Path& path) { return formats::ImportFormatOf(path) == formats::Format::Csv; }

}  // namespace vondrel
