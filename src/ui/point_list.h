// The two point lists of the main window. PointListBase fixes their columns, colours and the way
// a point becomes a row; PointListCtrl is the main list, whose rows the user reorders by
// dragging (row i always shows the document's point i, so every move is made by the move handler
// in the document and then in the list).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <utility>

#include "core/point_table.h"
#include "win/image_list.h"
#include "win/list_view.h"
#include "win/subclassed_window.h"
#include "editing/point_row_text.h"

namespace vondrel {

class PointListBase : public win::SubclassedWindow {
public:
    win::ListView List() const { return win::ListView(Hwnd()); }

    // Extended styles, the mark image lists (lent, not owned), six columns and the colours.
    void SetupColumns(HIMAGELIST largeImages, HIMAGELIST smallImages) const;
    // A new row at `index` showing `text`.
    void InsertRow(const PointRowText& text, int index) const;
    // Rewrites the existing row at `index`.
    void UpdateRow(const PointRowText& text, int index) const;

private:
    void WriteColumns(const PointRowText& text, int index) const;
};

class PointListCtrl : public PointListBase {
public:
    // Who carries out a move of the points the list shows: moves the point at `from` to just
    // before the point at `to` and tells whether anything moved.
    void SetMoveHandler(std::function<bool(int from, int to)> handler) { moveHandler = std::move(handler); }

    // Begin-drag notification of the control (forwarded by the owner).
    LRESULT OnBeginDrag(const NMLISTVIEW* info);
    // Moves the point at `from` to just before the point at `to`, in table and list.
    virtual void RequestMove(int from, int to) { MoveItem(from, to); }
    virtual void MoveItem(int from, int to);

    bool IsDragging() const { return dragging; }
    int DropTarget() const { return dropTarget; }

    bool dragEnabled = true;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnMouseMove(POINT point);
    void OnLeftButtonUp(POINT point);
    void EndDragFeedback();

    std::function<bool(int, int)> moveHandler;
    win::ImageList dragImage;
    bool dragging = false;
    int dragSource = -1;
    int dropTarget = -1;
};

}  // namespace vondrel
