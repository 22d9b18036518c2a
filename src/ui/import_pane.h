// ImportPane: the second list of the main window, a view of the points read from another point
// file (a table it is given: see ui/point_import.h). Files dropped on it are handed to its owner
// (the last of a drop), and its selected rows are dragged onto the main list, which the pane
// reports by a callback.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>

#include "os/path.h"
#include "ui/point_list.h"
#include "win/list_view.h"

namespace vondrel {

class ImportPane : public PointListBase {
public:
    // `target`: the main list; a drag released over it reports `dropped(row)`, the target row
    // under the pointer (-1 below the rows). `fileDropped`: a file dropped on the pane.
    void Connect(win::ListView target, std::function<void(int row)> dropped,
                 std::function<void(const os::Path&)> fileDropped);

    // The rows shown anew from the table; for new points, with nothing selected and the first in view.
    void ShowAnew(bool newPoints) const;
    // Begin-drag notification of the control (forwarded by the owner).
    LRESULT OnBeginDrag();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Cursor 105 with fewer than two selected rows, else 144.
    void SetDragCursor() const;
    bool OverTarget(POINT screenPoint) const;
    void OnDropFiles(HDROP drop);
    void OnMouseMove(POINT point);
    void OnLeftButtonUp(POINT point);

    bool dragging = false;
    win::ListView target;
    std::function<void(int)> dropped;
    std::function<void(const os::Path&)> fileDropped;
};

// Sets one of the program's cursors (a resource id).
void SetProgramCursor(int id);

}  // namespace vondrel
