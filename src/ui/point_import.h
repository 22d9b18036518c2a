// PointImport: the points of the import pane: the file read for it on a worker (ImportReading)
// by the import's rules (editing/import_source.h), the table the pane shows, and the datum CSV
// files are read on. The window hands it the reading's messages.
#pragma once

#include <windows.h>

#include "core/point_table.h"
#include "files/message_sink.h"
#include "formats/point_formats.h"
#include "os/path.h"
#include "ui/import_pane.h"
#include "ui/import_reading.h"

namespace vondrel {

class PointImport {
public:
    // `window` gets the reading's messages (ImportReading::kDoneMessage and its timer) and hands
    // them on; `pane` shows the points; `messages` takes what a reading has to tell.
    void Connect(HWND window, ImportPane& pane, MessageSink& messages);

    // Starts reading `path`; once read, every point is listed. A refusal or failure keeps the
    // points shown, and so does a reading given up (by 中止, or by another file). What the user
    // must know about the points read (texts without a Shift_JIS form, long names, points left
    // out) is told after the listing.
    void Load(const os::Path& path);
    bool IsReading() const { return reading.Busy(); }
    // The datum CSV files are read on (GPX and KML are WGS 84 by definition). A change reads the
    // CSV file being read, else the one the pane shows, again.
    void SetCsvDatum(formats::Datum datum);
    const PointTable& Points() const { return points; }

    // The window's ImportReading::kDoneMessage and progress timer.
    void OnRead(WPARAM number);
    void OnProgressTimer() { reading.ShowProgress(); }

private:
    PointTable points;
    formats::Datum csvDatum = formats::Datum::Wgs84;
    os::Path shownCsv;  // the CSV file whose points are shown, else empty
    ImportReading reading;
    HWND window = nullptr;
    ImportPane* pane = nullptr;
    MessageSink* messages = nullptr;
};

}  // namespace vondrel
