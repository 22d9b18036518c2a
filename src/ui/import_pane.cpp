// Import pane: loading, dropped files and the drag of points out of it.
#include "ui/import_pane.h"

#include <windowsx.h>

#include "files/glorie_file.h"
#include "resource.h"
#include "win/dialog.h"
#include "win/dropped_files.h"
#include "ui/main_dialog.h"

namespace vondrel {

void SetProgramCursor(int id) {
    SetCursor(LoadCursorW(win::ResourceModule(), MAKEINTRESOURCEW(id)));
}

int ImportPane::LoadFile(const std::string& path) {
    if (messages) LoadGlorieFile(path, importTable, *messages);
    const win::ListView list = List();
    list.SetRedraw(false);
    list.DeleteAllRows();
    const int shown = std::min(importTable.UsedCount(), rowLimit);
    PointRowText text;
    for (int i = 0; i < shown; ++i) {
        if (!importTable.IsUsed(i)) continue;
        text.Fill(importTable, i);
        InsertRow(text, i);
    }
    list.SetRedraw(true);
    list.Invalidate();
    list.UpdateNow();
    return 1;
}

void ImportPane::OnDropFiles(HDROP drop) {
    win::DroppedFiles files(drop);
    std::string last;
    for (int i = 0; i < files.Count(); ++i) {
        const std::string path = files.Path(i);
        if (!path.empty()) last = path;  // the last file of the drop wins
    }
    files.Finish();
    if (last.empty()) return;  // a drop without files changes nothing
    importPath = last;
    LoadFile(importPath);
}

LRESULT ImportPane::OnBeginDrag() {
    dragging = true;
    SetDragCursor();
    SetCapture(Hwnd());
    return 0;
}

void ImportPane::SetDragCursor() const {
    SetProgramCursor(List().SelectedCount() < 2 ? IDC_CURSOR_DRAG_ONE : IDC_CURSOR_DRAG_MANY);
}

void ImportPane::OnMouseMove(POINT point) {
    const RECT client = Self().ClientRect();
    if (PtInRect(&client, point)) {
        SetDragCursor();
        return;
    }
    ClientToScreen(Hwnd(), &point);
    const RECT mainList = owner ? owner->GetMainListRect() : RECT{};
    if (PtInRect(&mainList, point)) {
        SetDragCursor();
    } else {
        SetProgramCursor(IDC_CURSOR_NO_DROP);
    }
}

void ImportPane::OnLeftButtonUp(POINT point) {
    dragging = false;
    ClientToScreen(Hwnd(), &point);
    const RECT mainList = owner ? owner->GetMainListRect() : RECT{};
    if (owner && PtInRect(&mainList, point)) {
        const win::ListView target = owner->pointList.List();
        ScreenToClient(target.Hwnd(), &point);
        owner->InsertFromImport(target.HitTest(point));
    }
    ReleaseCapture();
}

LRESULT ImportPane::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_MOUSEMOVE:
            if (dragging) OnMouseMove(point);
            break;  // the move also gets the control's default processing
        case WM_LBUTTONUP: {
            LRESULT result = 0;
            if (dragging) {
                OnLeftButtonUp(point);
            } else {
                result = DefaultProc(message, wParam, lParam);
            }
            SetProgramCursor(IDC_CURSOR_ARROW);
            return result;
        }
        case WM_CAPTURECHANGED:
            // Capture taken away mid-drag: the drag ends without copying anything.
            if (dragging && reinterpret_cast<HWND>(lParam) != Hwnd()) dragging = false;
            break;
        default:
            break;
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace vondrel
