// Import pane: the points read listed, dropped files and the drag of points out of it.
#include "ui/import_pane.h"

#include <windowsx.h>

#include <utility>

#include "resource.h"
#include "win/dialog.h"
#include "win/dropped_files.h"

namespace vondrel {

void SetProgramCursor(int id) {
    SetCursor(LoadCursorW(win::ResourceModule(), MAKEINTRESOURCEW(id)));
}

void ImportPane::Connect(win::ListView mainList, std::function<void(int)> onDropped,
                         std::function<void(const os::Path&)> onFileDropped) {
    target = mainList;
    dropped = std::move(onDropped);
    fileDropped = std::move(onFileDropped);
}

void ImportPane::ShowAnew(bool newPoints) const {
    if (newPoints) List().SelectAll(false);  // nothing of the old selection applies
    Refresh();
    if (newPoints && List().Count() > 0) List().EnsureVisible(0);
    List().UpdateNow();
}

void ImportPane::OnDropFiles(HDROP drop) {
    win::DroppedFiles files(drop);
    const os::Path last = files.LastPath();
    files.Finish();
    if (!last.empty() && fileDropped) fileDropped(last);  // a drop without files changes nothing
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

bool ImportPane::OverTarget(POINT screenPoint) const {
    const RECT area = target ? target.WindowRect() : RECT{};
    return PtInRect(&area, screenPoint) != FALSE;
}

void ImportPane::OnMouseMove(POINT point) {
    const RECT client = Self().ClientRect();
    if (PtInRect(&client, point)) {
        SetDragCursor();
        return;
    }
    ClientToScreen(Hwnd(), &point);
    if (OverTarget(point)) {
        SetDragCursor();
    } else {
        SetProgramCursor(IDC_CURSOR_NO_DROP);
    }
}

void ImportPane::OnLeftButtonUp(POINT point) {
    dragging = false;
    ClientToScreen(Hwnd(), &point);
    if (OverTarget(point) && dropped) {
        ScreenToClient(target.Hwnd(), &point);
        dropped(target.HitTest(point));
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
