// ImportPane: the second list of the main window. It shows the points of another point file
// (its own table, never saved): a glorie file, or GPX, KML, KMZ or CSV from other programs,
// shifted to the Tokyo datum. Files dropped on it are loaded (the last of a drop wins), and its
// selected rows are dragged onto the main list, which the pane reports by a callback.
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
#include "ui/point_list.h"
#include "win/list_view.h"

namespace vondrel {

class ImportPane : public PointListBase {
public:
    // `messages`: where a refused or failed file is reported. `target`: the main list; a drag
    // released over it reports `dropped(row)`, the target row under the pointer (-1 below the rows).
    void Connect(MessageSink& messages, win::ListView target, std::function<void(int row)> dropped);

    // Reads `path` into the pane's table by its extension and lists every point; a refusal or
    // failure keeps the points shown. What the user must know about the points read (texts
    // without a Shift_JIS form, long names, points left out) is one message after the listing.
    void LoadFile(const os::Path& path);
    // The datum CSV files are read on (GPX and KML are WGS 84 by definition). A change reads the
    // CSV file the pane shows again.
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
    // Reads into `points`; true when they were replaced.
    bool ReadGlorie(const os::Path& path);
    bool ReadOtherFormat(const os::Path& path, formats::Format format);
    void OnDropFiles(HDROP drop);
    void OnMouseMove(POINT point);
    void OnLeftButtonUp(POINT point);

    PointTable points;
    formats::Datum csvDatum = formats::Datum::Wgs84;
    os::Path shownCsv;  // the CSV file whose points are shown, else empty
    std::string pendingMessage;  // about the points just read, shown once they are listed
    bool dragging = false;
    MessageSink* messages = nullptr;
    win::ListView target;
    std::function<void(int)> dropped;
};

// Sets one of the program's cursors (a resource id).
void SetProgramCursor(int id);

}  // namespace vondrel
