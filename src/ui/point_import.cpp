// The import pane's points: a file read, listed, then what it has to tell said.
#include "ui/point_import.h"

#include <memory>
#include <string>

#include "editing/import_source.h"
#include "editing/main_texts.h"
#include "formats/point_rows.h"

namespace vondrel {

void PointImport::Connect(HWND owner, ImportPane& shownIn, MessageSink& sink) {
    window = owner;
    pane = &shownIn;
    messages = &sink;
    pane->ShowPoints(points);
}

void PointImport::Load(const os::Path& path) {
    if (!window) return;
    ImportOptions options;
    options.datum = csvDatum;
    reading.Start(window, path, options);
}

void PointImport::OnRead(WPARAM number) {
    const std::unique_ptr<ImportedFile> read = reading.Finish(number);
    if (!read || !pane) return;  // a reading given up
    if (read->loaded) {
        points.Swap(read->points);
        shownCsv = ReadsOnChosenDatum(read->path) ? read->path : os::Path();
    }
    pane->ShowAnew(read->loaded);
    // The list is shown first, then what the user should know about it.
    for (const std::string& message : read->messages) messages->ShowMessage(message);
    if (!read->warningsUtf8.empty()) messages->ShowUtf8Message(read->warningsUtf8);
    if (!read->loaded) return;
    std::vector<std::string> unplaced;
    for (int i = 0; i < points.UsedCount(); ++i) {
        if (formats::HasNoPosition(points.Row(i))) unplaced.push_back(points.Row(i).name);
    }
    const std::string text = NoPositionImportText(unplaced);
    if (!text.empty()) messages->ShowMessage(text);
}

void PointImport::SetCsvDatum(formats::Datum datum) {
    if (datum == csvDatum) return;
    csvDatum = datum;
    const os::Path again = reading.Busy() ? reading.Path() : shownCsv;
    if (ReadsOnChosenDatum(again)) Load(again);
}

}  // namespace vondrel
