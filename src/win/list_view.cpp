// List-view operations.
#include "win/list_view.h"

#include <algorithm>

#include "os/win32_text.h"

namespace vondrel::win {

int ListView::InsertRow(int index, const std::string& text, int image) const {
    std::wstring wide = os::ToWide(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = &wide[0];
    item.iImage = image;
    if (wide.empty()) item.pszText = const_cast<wchar_t*>(L"");
    return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListView::SetCellText(int row, int column, const std::string& text) const {
    std::wstring wide = os::ToWide(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.empty() ? const_cast<wchar_t*>(L"") : &wide[0];
    Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::string ListView::CellText(int row, int column) const {
    std::wstring buffer(1024, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = &buffer[0];
    item.cchTextMax = static_cast<int>(buffer.size());
    const LRESULT length = Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    buffer.resize(static_cast<std::size_t>(length));
    return os::ToCp932(buffer);
}

void ListView::SetImage(int row, int image) const {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = image;
    Send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

int ListView::Image(int row) const {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

void ListView::SetState(int row, UINT state, UINT mask) const {
    LVITEMW item{};
    item.stateMask = mask;
    item.state = state;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int ListView::HitTest(POINT point) const {
    LVHITTESTINFO info{};
    info.pt = point;
    return static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
}

RECT ListView::RowRect(int row) const {
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    Send(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

int ListView::InsertColumn(int index, const std::string& caption, int width) const {
    std::wstring wide = os::ToWide(caption);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = &wide[0];
    column.iSubItem = index;
    return static_cast<int>(Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)));
}

int ListView::ColumnCount() const {
    int count = 0;
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    while (Send(LVM_GETCOLUMNW, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&column))) ++count;
    return count;
}

void ListView::FitLastColumn(int minimum) const {
    const int columns = ColumnCount();
    if (columns == 0) return;
    int used = 0;
    for (int column = 0; column + 1 < columns; ++column) used += ColumnWidth(column);
    const int width = std::max(minimum, static_cast<int>(ClientRect().right) - used);
    if (width != ColumnWidth(columns - 1)) SetColumnWidth(columns - 1, width);
}

void ListView::SetSortArrow(int column, int direction) const {
    const HWND header = Header();
    const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == column && direction != 0) item.fmt |= direction > 0 ? HDF_SORTUP : HDF_SORTDOWN;
        SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
}

void ListView::SetColors(COLORREF background, COLORREF textBackground, COLORREF text) const {
    Send(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(background));
    Send(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(textBackground));
    Send(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(text));
}

}  // namespace vondrel::win
