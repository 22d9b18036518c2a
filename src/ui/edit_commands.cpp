// Edit commands of the main window beyond the point commands: undo and redo, moving the selected
// rows with the keyboard, sorting by a click on a column heading, the find box and F3, the
// replace box, and the duplicate check; and the 編集 menu's undo and redo items, greyed while
// there is nothing to do.
#include <string>

#include "dialogs/replace_dialog.h"
#include "editing/point_order.h"
#include "resource.h"
#include "ui/main_dialog.h"

namespace vondrel {

namespace {
constexpr double kDuplicateMetres = 30.0;

std::string DuplicatesText(std::size_t count) {
    if (count == 0) return "名称が同じ地点や、互いに 30m 未満の地点はありません。";
    return "名称が同じ地点、または互いに 30m 未満の地点が " + std::to_string(count) + " 件あります。\nそれらを選択しました。";
}
}  // namespace

void MainDialog::Undo() {
    if (const auto selection = document.Undo()) ShowDocument(*selection);
}

void MainDialog::Redo() {
    if (const auto selection = document.Redo()) ShowDocument(*selection);
}

void MainDialog::MoveSelected(int direction) {
    if (const auto after = document.MoveSelected(direction, ListSelection())) ShowDocument(*after);
}

LRESULT MainDialog::OnColumnClick(NMHDR* header) {
    const int column = reinterpret_cast<NMLISTVIEW*>(header)->iSubItem;
    if (column < 0 || column >= kSortColumns) return 0;
    // A second click on the heading whose arrow shows reverses the order.
    const bool descending = column == sortColumn && !sortDescending;
    const auto after = document.Sort(static_cast<SortColumn>(column), descending, ListSelection());
    if (sortColumn >= 0) pointList.List().SetSortArrow(sortColumn, 0);
    sortColumn = column;
    sortDescending = descending;
    pointList.List().SetSortArrow(column, descending ? -1 : 1);
    if (after) ShowDocument(*after, true);
    return 0;
}

void MainDialog::OpenFindBox() {
    findBox.Open(Hwnd());
}

void MainDialog::FindNextMatch() {
    if (findBox.Text().empty()) {
        OpenFindBox();
    } else {
        FindText(findBox.Text());
    }
}

void MainDialog::FindText(const std::string& text) {
    if (text.empty()) return;
    const win::ListView list = pointList.List();
    int from = list.FocusedRow();
    if (from < 0) from = list.LowestSelectedRow();
    const int row = FindNext(document.Points(), text, from);
    if (row < 0) {
        prompts->ShowMessage(findBox.IsOpen() ? findBox.Hwnd() : Hwnd(), "見つかりません", MB_OK | MB_ICONINFORMATION);
        return;
    }
    ApplySelection(OnlyRow(row));
    UpdateRowIndicator();
    RECT shown = list.RowRect(row);
    MapWindowPoints(list.Hwnd(), HWND_DESKTOP, reinterpret_cast<POINT*>(&shown), 2);
    findBox.KeepClearOf(shown);
}

void MainDialog::OpenReplaceBox() {
    // In the selection when it holds two or more rows, else in the whole list.
    const Selection before = ListSelection();
    const bool selectionOnly = before.rows.size() >= 2;
    std::vector<int> rows = before.rows;
    if (!selectionOnly) {
        rows.clear();
        for (int row = 0; row < document.Count(); ++row) rows.push_back(row);
    }
    const std::optional<ReplaceRequest> request = AskReplace(Hwnd(), document.Points(), std::move(rows), selectionOnly);
    if (!request) return;
    if (const auto after = document.Replace(*request, before)) ShowDocument(*after);
}

void MainDialog::SelectDuplicates() {
    const std::vector<int> rows = DuplicatePoints(document.Points(), kDuplicateMetres);
    if (!rows.empty()) {
        ApplySelection(Selection{rows, rows.front()});
        UpdateRowIndicator();
    }
    prompts->ShowMessage(Hwnd(), DuplicatesText(rows.size()), MB_OK | MB_ICONINFORMATION);
}

void MainDialog::OnInitMenu(WPARAM menuParam, LPARAM) {
    const HMENU menu = reinterpret_cast<HMENU>(menuParam);
    EnableMenuItem(menu, ID_EDIT_UNDO, MF_BYCOMMAND | (document.CanUndo() ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, ID_EDIT_REDO, MF_BYCOMMAND | (document.CanRedo() ? MF_ENABLED : MF_GRAYED));
}

}  // namespace vondrel
