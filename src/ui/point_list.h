// The two point lists of the main window. PointListBase fixes their columns and colours and shows
// a point table: the lists are virtual (owner-data), so row i is always point i of the table and
// only the rows on screen are ever asked for, however many points there are. PointListCtrl is the
// main list, whose rows the user reorders by dragging; the move itself is made by its owner.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/point_table.h"
#include "win/list_view.h"
#include "win/image_list.h"
#include "win/subclassed_window.h"

namespace vondrel {

class PointListBase : public win::SubclassedWindow {
public:
    win::ListView List() const { return win::ListView(Hwnd()); }

    // Extended styles, the mark image lists (lent, not owned), six columns and the colours, at
    // the window's `dpi`.
    void SetupColumns(HIMAGELIST largeImages, HIMAGELIST smallImages, int dpi);
    // The mark images and column widths for a window now drawn at `dpi`.
    void SetScale(HIMAGELIST largeImages, HIMAGELIST smallImages, int dpi);
    // Every column fitted to the list's width (the last taking the spare room).
    void FitColumns() const;
    // The table whose points the rows show (lent: it outlives the list).
    void ShowPoints(const PointTable& table) { points = &table; }
    // One row per point again, the rows on screen drawn anew.
    void Refresh() const;
    // The owner's LVN_GETDISPINFOW for this list: the text or image asked for.
    LRESULT OnGetDispInfo(NMHDR* header) const;
    // The owner's LVN_ODFINDITEMW (letters typed into the list): the row whose name begins so.
    LRESULT OnFindItem(NMHDR* header) const;
    // The selected rows, in order.
    std::vector<int> SelectedRows() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    const PointTable* points = nullptr;
    int dpi = 96;
    bool columnsDragged = false;  // the user set a column's width: from then on only the last is fitted
};

class PointListCtrl : public PointListBase {
public:
    // Who carries out a move: the point at `from` goes to just before the point at `to`.
    void SetMoveHandler(std::function<void(int from, int to)> handler) { moveHandler = std::move(handler); }

    // Begin-drag notification of the control (forwarded by the owner).
    LRESULT OnBeginDrag(const NMLISTVIEW* info);
    // The owner's NM_CUSTOMDRAW for this list: the row the drag would drop on is marked.
    LRESULT OnCustomDraw(NMHDR* header) const;

    bool IsDragging() const { return dragging; }
    int DropTarget() const { return dropTarget; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnMouseMove(POINT point);
    void OnLeftButtonUp(POINT point);
    void EndDragFeedback();
    void HighlightDropTarget(int row);

    std::function<void(int, int)> moveHandler;
    win::ImageList dragImage;
    bool dragging = false;
    int dragSource = -1;
    int dropTarget = -1;
};

}  // namespace vondrel
