// Point lists: columns, rows drawn from the table, the last column's width and the drag-reorder
// of the main list.
#include "ui/point_list.h"

#include <windowsx.h>

#include <algorithm>

#include "editing/drag_rules.h"
#include "editing/point_order.h"
#include "editing/point_row_text.h"
#include "editing/window_scale.h"
#include "os/win32_text.h"

namespace vondrel {

namespace {
constexpr COLORREF kListBackground = RGB(52, 95, 129);
constexpr COLORREF kListText = RGB(255, 255, 255);
// The row a dragged point would be put before.
constexpr COLORREF kDropBackground = RGB(255, 214, 0);
constexpr COLORREF kDropText = RGB(0, 0, 0);
// Posted to a list to fit its last column once the header has settled.
constexpr UINT kFitLastColumn = WM_APP + 0x40;

// Widths at 96 DPI; `widest` is the longest text the column must show whole besides its heading.
struct Column {
    const char* caption;
    int width;
    const wchar_t* widest;
};
constexpr Column kColumns[kListColumns] = {{"マーク", 60, L"00"},       {"名称", 180, L""},
                                           {"読み仮名", 120, L""},      {"ＴＥＬ", 100, L""},
                                           {"東経", 100, L"000.00.00.000"}, {"北緯", 100, L" 00.00.00.000"}};

int TextWidth(const win::ListView& list, const std::wstring& text) {
    return static_cast<int>(list.Send(LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
}
}  // namespace

void PointListBase::SetupColumns(HIMAGELIST largeImages, HIMAGELIST smallImages, int screenDpi) {
    const win::ListView list = List();
    // The image lists belong to the window's mark images, shared by both lists.
    SetWindowLongPtrW(Hwnd(), GWL_STYLE, GetWindowLongPtrW(Hwnd(), GWL_STYLE) | LVS_SHAREIMAGELISTS);
    list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    int index = 0;
    for (const Column& column : kColumns) list.InsertColumn(index++, column.caption, column.width);
    list.SetColors(kListBackground, kListBackground, kListText);
    SetScale(largeImages, smallImages, screenDpi);
}

void PointListBase::SetScale(HIMAGELIST largeImages, HIMAGELIST smallImages, int screenDpi) {
    dpi = screenDpi;
    columnsDragged = false;
    const win::ListView list = List();
    list.SetImageList(largeImages, LVSIL_NORMAL);
    list.SetImageList(smallImages, LVSIL_SMALL);
    FitColumns();
}

void PointListBase::FitColumns() const {
    const win::ListView list = List();
    if (list.ColumnCount() != kListColumns) return;
    int icon = 0, unused = 0;
    if (const HIMAGELIST images = reinterpret_cast<HIMAGELIST>(list.Send(LVM_GETIMAGELIST, LVSIL_SMALL))) {
        ImageList_GetIconSize(images, &icon, &unused);
    }
    // A column's text has a margin either side; the mark column shows its icon before the number.
    const int margin = ScalePixels(14, dpi);
    std::vector<ColumnSpan> spans;
    for (const Column& column : kColumns) {
        const int caption = TextWidth(list, os::ToWide(column.caption));
        const int widest = TextWidth(list, column.widest) + (&column == kColumns ? icon + ScalePixels(4, dpi) : 0);
        spans.push_back({ScalePixels(column.width, dpi), std::max(caption, widest) + margin});
    }
    const std::vector<int> widths = vondrel::FitColumns(spans, static_cast<int>(list.ClientRect().right));
    for (int column = 0; column < kListColumns; ++column) {
        if (list.ColumnWidth(column) != widths[column]) list.SetColumnWidth(column, widths[column]);
    }
}

void PointListBase::Refresh() const {
    const win::ListView list = List();
    list.SetRowCount(points ? points->GetCount() : 0);
    list.Invalidate();
}

LRESULT PointListBase::OnGetDispInfo(NMHDR* header) const {
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
    if (!points || item.iItem < 0 || item.iItem >= points->GetCount()) return 0;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const std::wstring text = os::ToWide(CellText(*points, item.iItem, item.iSubItem));
        lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
    }
    if ((item.mask & LVIF_IMAGE) && item.iSubItem == 0) item.iImage = MarkImageOf(*points, item.iItem);
    if (item.mask & LVIF_INDENT) item.iIndent = 0;
    return 0;
}

LRESULT PointListBase::OnFindItem(NMHDR* header) const {
    const NMLVFINDITEMW* find = reinterpret_cast<const NMLVFINDITEMW*>(header);
    if (!points || !(find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find->lvfi.psz) return -1;
    return FindNamePrefix(*points, os::ToCp932(find->lvfi.psz), find->iStart);
}

std::vector<int> PointListBase::SelectedRows() const {
    std::vector<int> rows;
    const win::ListView list = List();
    for (int row = list.LowestSelectedRow(); row >= 0; row = list.NextSelectedRow(row)) rows.push_back(row);
    return rows;
}

LRESULT PointListBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The last column takes the room the others leave: after a resize of the list, a scroll bar
    // coming or going, or a column dragged wider or narrower (once the drag has ended).
    // Until the user drags a column, every column is fitted to the list's width.
    if (message == kFitLastColumn) {
        List().FitLastColumn(ScalePixels(kColumns[kListColumns - 1].width, dpi));
        return 0;
    }
    const LRESULT result = DefaultProc(message, wParam, lParam);
    if (message == WM_SIZE) {
        if (columnsDragged) {
            List().FitLastColumn(ScalePixels(kColumns[kListColumns - 1].width, dpi));
        } else {
            FitColumns();
        }
    }
    if (message == WM_NOTIFY) {
        const UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
        if (code == HDN_ENDTRACKW || code == HDN_ENDTRACKA) {
            columnsDragged = true;
            Self().Post(kFitLastColumn);
        }
    }
    return result;
}

LRESULT PointListCtrl::OnBeginDrag(const NMLISTVIEW* info) {
    if (info->iItem < 0) return 0;
    dragging = true;
    dragSource = info->iItem;
    HighlightDropTarget(info->iItem);
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

LRESULT PointListCtrl::OnCustomDraw(NMHDR* header) const {
    NMLVCUSTOMDRAW* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return dragging ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && static_cast<int>(draw->nmcd.dwItemSpec) == dropTarget) {
        draw->clrText = kDropText;
        draw->clrTextBk = kDropBackground;
        draw->nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);  // the mark shows whether selected or not
        return CDRF_NEWFONT;
    }
    return CDRF_DODEFAULT;
}

void PointListCtrl::HighlightDropTarget(int row) {
    const int previous = dropTarget;
    dropTarget = row;
    const win::ListView list = List();
    if (previous >= 0) list.RedrawRows(previous, previous);
    if (row >= 0) list.RedrawRows(row, row);
}

void PointListCtrl::OnMouseMove(POINT point) {
    if (dragImage) ImageList_DragMove(point.x, point.y);
    const win::ListView list = List();
    const int hit = list.HitTest(point);
    if (hit >= 0 && hit != dropTarget) {
        if (dragImage) ImageList_DragShowNolock(FALSE);
        list.EnsureVisible(hit);
        HighlightDropTarget(hit);
        list.UpdateNow();
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
    List().RedrawRows(std::max(dropTarget, 0), std::max(dropTarget, 0));
}

void PointListCtrl::OnLeftButtonUp(POINT point) {
    EndDragFeedback();
    ReleaseCapture();
    const int to = DropDestination(List().HitTest(point), dropTarget, point.y);
    if (!MoveChangesNothing(dragSource, to) && moveHandler) moveHandler(dragSource, to);
    const int lowest = List().LowestSelectedRow();
    if (lowest >= 0) List().EnsureVisible(lowest);
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
    return PointListBase::WindowProc(message, wParam, lParam);
}

}  // namespace vondrel
