// Import pane: the points read listed, dropped files and the drag of points out of it.
#include "ui/import_pane.h"

#include <windowsx.h>

#include <string>
#include <utility>

#include "resource.h"
#include "win/dialog.h"
#include "win/dropped_files.h"

namespace vondrel {

void SetProgramCursor(int id) {
    SetCursor(LoadCursorW(win::ResourceModule(), MAKEINTRESOURCEW(id)));
}

void ImportPane::Connect(MessageSink& sink, win::ListView mainList, std::function<void(int)> onDropped) {
    messages = &sink;
    target = mainList;
    dropped = std::move(onDropped);
}

void ImportPane::LoadFile(const os::Path& path) {
    if (messages) reading.Start(Hwnd(), path, csvDatum);
}

void ImportPane::OnRead(WPARAM number) {
    const std::unique_ptr<ImportedFile> read = reading.Finish(number);
    if (!read || !messages) return;  // a reading given up
    if (read->loaded) {
        points.Swap(read->points);
        shownCsv = read->format == formats::Format::Csv ? read->path : os::Path();
    }
    ShowPoints(points);
    if (read->loaded) List().SelectAll(false);  // new points: nothing of the old selection applies
    Refresh();
    if (read->loaded && points.GetCount() > 0) List().EnsureVisible(0);
    List().UpdateNow();
    // The list is shown first, then what the user should know about it.
    for (const std::string& message : read->messages) messages->ShowMessage(message);
}

void ImportPane::SetCsvDatum(formats::Datum datum) {
    if (datum == csvDatum) return;
    csvDatum = datum;
    const os::Path again = reading.Busy() ? reading.Path() : shownCsv;
    if (formats::ImportFormatOf(again) == formats::Format::Csv) LoadFile(again);
}

void ImportPane::OnDropFiles(HDROP drop) {
    win::DroppedFiles files(drop);
    os::Path last;
    for (int i = 0; i < files.Count(); ++i) {
        const os::Path path = files.Path(i);
        if (!path.empty()) last = path;  // the last file of the drop wins
    }
    files.Finish();
    if (last.empty()) return;  // a drop without files changes nothing
    LoadFile(last);
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
        case ImportReading::kDoneMessage:
            OnRead(wParam);
            return 0;
        case WM_TIMER:
            if (wParam != ImportReading::kProgressTimer) break;
            reading.ShowProgress();
            return 0;
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
