// Point lists: columns, rows and the drag-reorder of the main list.
#include "ui/point_list.h"

#include <windowsx.h>

#include "editing/drag_rules.h"

namespace vondrel {

namespace {
constexpr COLORREF kListBackground = RGB(52, 95, 129);
constexpr COLORREF kListText = RGB(255, 255, 255);

struct Column {
    const char* caption;
    int width;
};
constexpr Column kColumns[] = {{"マーク", 60}, {"名称", 180}, {"読み仮名", 120},
                               {"ＴＥＬ", 100}, {"東経", 100}, {"北緯", 100}};
}  // namespace

void PointListBase::SetupColumns(HIMAGELIST largeImages, HIMAGELIST smallImages) const {
    const win::ListView list = List();
    list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    list.SetImageList(largeImages, LVSIL_NORMAL);
    list.SetImageList(smallImages, LVSIL_SMALL);
    int index = 0;
    for (const Column& column : kColumns) list.InsertColumn(index++, column.caption, column.width);
    list.SetColors(kListBackground, kListBackground, kListText);
}

void PointListBase::WriteColumns(const PointRowText& text, int index) const {
    const win::ListView list = List();
    list.SetCellText(index, 1, text.name);
    list.SetCellText(index, 2, text.reading);
    list.SetCellText(index, 3, text.tel);
    list.SetCellText(index, 4, text.lonDms);
    list.SetCellText(index, 5, text.latDms);
}

void PointListBase::InsertRow(const PointRowText& text, int index) const {
    const int row = List().InsertRow(index, text.mark, text.ImageIndex());
    if (row >= 0) WriteColumns(text, row);
}

void PointListBase::UpdateRow(const PointRowText& text, int index) const {
    const win::ListView list = List();
    list.SetCellText(index, 0, text.mark);
    list.SetImage(index, text.ImageIndex());
    WriteColumns(text, index);
}

LRESULT PointListCtrl::OnBeginDrag(const NMLISTVIEW* info) {
    if (!dragEnabled || info->iItem < 0) return 0;
    dragging = true;
    dragSource = dropTarget = info->iItem;
    POINT origin{};
    dragImage.Adopt(reinterpret_cast<HIMAGELIST>(
        Self().Send(LVM_CREATEDRAGIMAGE, static_cast<WPARAM>(info->iItem), reinterpret_cast<LPARAM>(&origin))));
    if (dragImage) {
        IMAGEINFO image{};
        ImageList_GetImageInfo(dragImage.Handle(), 0, &image);
        ImageList_BeginDrag(dragImage.Handle(), 0, 0, (image.rcImage.bottom - image.rcImage.top) / 2);
        ImageList_DragEnter(Hwnd(), info->ptAction.x, info->ptAction.y);
    }
    SetCapture(Hwnd());
    return 0;
}

void PointListCtrl::OnMouseMove(POINT point) {
    if (dragImage) ImageList_DragMove(point.x, point.y);
    const win::ListView list = List();
    const int hit = list.HitTest(point);
    if (hit >= 0 && hit != dropTarget) {
        if (dragImage) ImageList_DragShowNolock(FALSE);
        list.EnsureVisible(hit);
        list.SetState(dropTarget, 0, LVIS_DROPHILITED);
        list.SetState(hit, LVIS_DROPHILITED, LVIS_DROPHILITED);
        list.UpdateNow();
        dropTarget = hit;
        if (dragImage) ImageList_DragShowNolock(TRUE);
    }
}

void PointListCtrl::EndDragFeedback() {
    dragging = false;
    if (dragImage) {
        ImageList_DragLeave(Hwnd());
        ImageList_EndDrag();
        dragImage.Reset();
    }
    List().SetState(dropTarget, 0, LVIS_DROPHILITED);
}

void PointListCtrl::OnLeftButtonUp(POINT point) {
    EndDragFeedback();
    ReleaseCapture();
    const win::ListView list = List();
    RequestMove(dragSource, DropDestination(list.HitTest(point), dropTarget, point.y));
    const int lowest = list.LowestSelectedRow();
    if (lowest >= 0) list.EnsureVisible(lowest);
}

void PointListCtrl::MoveItem(int from, int to) {
    if (MoveChangesNothing(from, to) || !moveHandler || !moveHandler(from, to)) return;
    const win::ListView list = List();

    const int row = list.InsertRow(to, list.CellText(from, 0), -1);
    if (row < 0) return;
    if (from > to) ++from;  // the source row moved down by the insertion

    LVITEMW item{};
    item.mask = LVIF_IMAGE | LVIF_STATE | LVIF_PARAM | LVIF_INDENT;
    item.iItem = from;
    item.stateMask = static_cast<UINT>(-1);
    list.Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    item.iItem = row;
    list.Send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));

    const int columns = list.ColumnCount();
    for (int column = 0; column < columns; ++column) list.SetCellText(row, column, list.CellText(from, column));
    list.DeleteRow(from);
}

LRESULT PointListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_MOUSEMOVE:
            if (dragging) OnMouseMove(point);
            break;  // the move also gets the control's default processing
        case WM_LBUTTONUP:
            if (dragging) {
                OnLeftButtonUp(point);
                return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            // Capture taken away mid-drag (another window, a system key): end the drag, move nothing.
            if (dragging && reinterpret_cast<HWND>(lParam) != Hwnd()) EndDragFeedback();
            break;
        default:
            break;
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace vondrel
