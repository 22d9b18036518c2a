// ListView: a thin view of a report-style list-view control with helpers named by intent.
// Item texts are code page 932.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "win/window.h"

namespace vondrel::win {

class ListView : public Window {
public:
    ListView() = default;
    ListView(HWND hwnd) : Window(hwnd) {}  // NOLINT: a view converts freely from a handle

    int Count() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    // Inserts a row with the column-0 text and image; returns its index or -1.
    int InsertRow(int index, const std::string& text, int image) const;
    void SetCellText(int row, int column, const std::string& text) const;
    std::string CellText(int row, int column) const;
    void SetImage(int row, int image) const;
    int Image(int row) const;
    void DeleteRow(int row) const { Send(LVM_DELETEITEM, static_cast<WPARAM>(row)); }
    void DeleteAllRows() const { Send(LVM_DELETEALLITEMS); }
    // Owner-data lists: the number of rows the owner supplies; what is on screen is drawn again.
    void SetRowCount(int count) const { Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOSCROLL); }
    void RedrawRows(int first, int last) const { Send(LVM_REDRAWITEMS, static_cast<WPARAM>(first), last); }

    UINT State(int row, UINT mask) const { return static_cast<UINT>(Send(LVM_GETITEMSTATE, row, mask)); }
    void SetState(int row, UINT state, UINT mask) const;
    bool IsSelected(int row) const { return State(row, LVIS_SELECTED) != 0; }
    // The selected and focused states on one row (others keep theirs).
    void SelectAndFocus(int row) const { SetState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED); }
    // Every row selected, or none (focus kept).
    void SelectAll(bool select) const { SetState(-1, select ? LVIS_SELECTED : 0, LVIS_SELECTED); }
    // -1 when nothing is selected.
    int LowestSelectedRow() const { return NextSelectedRow(-1); }
    int NextSelectedRow(int after) const {
        return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(after), LVNI_SELECTED));
    }
    int FocusedRow() const { return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)); }
    int SelectedCount() const { return static_cast<int>(Send(LVM_GETSELECTEDCOUNT)); }

    // The row at a point in client coordinates, or -1.
    int HitTest(POINT point) const;
    void EnsureVisible(int row) const { Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE); }
    RECT RowRect(int row) const;

    int InsertColumn(int index, const std::string& caption, int width) const;
    // The number of columns, found by asking for column 0, 1, 2 ... until there is none.
    int ColumnCount() const;
    int ColumnWidth(int column) const { return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column))); }
    void SetColumnWidth(int column, int width) const { Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), width); }
    // The last column as wide as the room the others leave in the visible area, and never less
    // than `minimum` pixels.
    void FitLastColumn(int minimum) const;
    // The column heading's sort arrow: up (ascending), down, or none (0).
    void SetSortArrow(int column, int direction) const;
    HWND Header() const { return reinterpret_cast<HWND>(Send(LVM_GETHEADER)); }

    void SetExtendedStyle(DWORD style) const { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, style, style); }
    void SetImageList(HIMAGELIST images, int which) const { Send(LVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(images)); }
    void SetColors(COLORREF background, COLORREF textBackground, COLORREF text) const;
    // Suspends or resumes redrawing while many rows change.
    void SetRedraw(bool redraw) const { Send(WM_SETREDRAW, redraw ? TRUE : FALSE); }
};

}  // namespace vondrel::win
