// ImportPane: the second list of the main window. It shows the points of another point file
// (its own table, never saved): a glorie file, or GPX, KML, KMZ or CSV from other programs,
// shifted to the Tokyo datum, read on a worker thread (ui/import_reading.h). Files dropped on it
// are loaded (the last of a drop wins), and its selected rows are dragged onto the main list,
// which the pane reports by a callback.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "core/point_table.h"
#include "files/message_sink.h"
#include "formats/point_formats.h"
#include "os/path.h"
#include "ui/import_reading.h"
#include "ui/point_list.h"
#include "win/list_view.h"

namespace vondrel {

class ImportPane : public PointListBase {
public:
    // `messages`: where a refused or failed file is reported. `target`: the main list; a drag
    // released over it reports `dropped(row)`, the target row under the pointer (-1 below the rows).
    void Connect(MessageSink& messages, win::ListView target, std::function<void(int row)> dropped);

    // Starts reading `path` into the pane's table by its extension; once read, every point is
    // listed. A refusal or failure keeps the points shown, and so does a reading given up (by
    // 中止, or by another file). What the user must know about the points read (texts without a
    // Shift_JIS form, long names, points left out) is one message after the listing.
    void LoadFile(const os::Path& path);
    bool IsReading() const { return reading.Busy(); }
    // The datum CSV files are read on (GPX and KML are WGS 84 by definition). A change reads the
    // CSV file being read, else the one the pane shows, again.
    void SetCsvDatum(formats::Datum datum);
    formats::Datum CsvDatum() const { return csvDatum; }
    // Begin-drag notification of the control (forwarded by the owner).
    LRESULT OnBeginDrag();

    const PointTable& Points() const { return points; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Cursor 105 with fewer than two selected rows, else 144.
    void SetDragCursor() const;
    bool OverTarget(POINT screenPoint) const;
    // A reading has ended: its points listed, what to tell said.
    void OnRead(WPARAM number);
    void OnDropFiles(HDROP drop);
    void OnMouseMove(POINT point);
    void OnLeftButtonUp(POINT point);

    PointTable points;
    formats::Datum csvDatum = formats::Datum::Wgs84;
    os::Path shownCsv;  // the CSV file whose points are shown, else empty
    ImportReading reading;
    bool dragging = false;
    MessageSink* messages = nullptr;
    win::ListView target;
    std::function<void(int)> dropped;
};

// Sets one of the program's cursors (a resource id).
void SetProgramCursor(int id);

}  // namespace vondrel
