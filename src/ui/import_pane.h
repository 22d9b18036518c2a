// ImportPane: the second list of the main window. It shows the points of another point file
// (its own table, never saved); files dropped on it are loaded (the last of a drop wins), and
// its selected rows are dragged onto the main list, which the pane reports by a callback.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "core/point_table.h"
#include "files/message_sink.h"
#include "os/path.h"
#include "ui/point_list.h"
#include "win/list_view.h"

namespace vondrel {

class ImportPane : public PointListBase {
public:
    // `messages`: where a refused or failed file is reported. `target`: the main list; a drag
    // released over it reports `dropped(row)`, the target row under the pointer (-1 below the rows).
    void Connect(MessageSink& messages, win::ListView target, std::function<void(int row)> dropped);

    // Reads `path` into the pane's table (a refusal or failure keeps its points) and lists them all.
    void LoadFile(const os::Path& path);
    // Begin-drag notification of the control (forwarded by the owner).
    LRESULT OnBeginDrag();

    const PointTable& Points() const { return points; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Cursor 105 with fewer than two selected rows, else 144.
    void SetDragCursor() const;
    bool OverTarget(POINT screenPoint) const;
    void OnDropFiles(HDROP drop);
    void OnMouseMove(POINT point);
    void OnLeftButtonUp(POINT point);

    PointTable points;
    bool dragging = false;
    MessageSink* messages = nullptr;
    win::ListView target;
    std::function<void(int)> dropped;
};

// Sets one of the program's cursors (a resource id).
void SetProgramCursor(int id);

}  // namespace vondrel
