// ImportPane: the second list of the main window. It shows the points of another point file
// (its own table, never saved); files dropped on it are loaded (the last of a drop wins), and
// its selected rows are dragged onto the main list to copy them there.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "core/point_table.h"
#include "files/message_sink.h"
#include "ui/point_list.h"

namespace vondrel {

class MainDialog;

class ImportPane : public PointListBase {
public:
    // The main window whose list receives the dragged points.
    void SetOwner(MainDialog* mainDialog) { owner = mainDialog; }
    // Where a refused or failed file is reported.
    void SetMessageSink(MessageSink* sink) { messages = sink; }

    // Reads `path` into the import table (a refusal or failure keeps its points) and lists
    // its first rowLimit points. Returns 1.
    int LoadFile(const std::string& path);
    // Begin-drag notification of the control (forwarded by the owner).
    LRESULT OnBeginDrag();
    // Cursor 105 with fewer than two selected rows, else 144.
    void SetDragCursor() const;

    PointTable importTable;
    std::string importPath;
    int rowLimit = 0;
    bool dragging = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnDropFiles(HDROP drop);
    void OnMouseMove(POINT point);
    void OnLeftButtonUp(POINT point);

    MainDialog* owner = nullptr;
    MessageSink* messages = nullptr;
};

// Sets one of the program's cursors (a resource id).
void SetProgramCursor(int id);

}  // namespace vondrel
