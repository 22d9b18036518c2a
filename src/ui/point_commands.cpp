// Point commands of the main window: change, add and delete through the edit dialog (several
// selected rows through the batch change), the
// selection commands, row clicks and the list's context menu. List row i is document row i;
// after every change the list is shown anew from the document with the selection it gives.
#include <windowsx.h>

#include "core/limits.h"
#include "dialogs/batch_dialog.h"
#include "editing/main_texts.h"
#include "os/file_io.h"
#include "resource.h"
#include "ui/main_dialog.h"
#include "win/owned_handle.h"
#include "win/program_folder.h"

namespace vondrel {

namespace {
// An older bridge program: where it stands beside the editor, a click on a row enables 地図表示.
constexpr wchar_t kLinkProgram[] = L"TarvixLink.exe";
}  // namespace

bool MainDialog::EditPoint(EditMode mode, int row, const PointFields* start) {
    PointEditServices services;
    services.mapAvailable = map.BridgePresent();
    services.markIcon = [this](int index) { return markImages.MakeIcon(index); };
    services.showMap = [this](const PointFields& shown) { map.ShowPoint(shown); };
    services.mapPositions = &editDialogPositions;
    services.askMapPosition = [this] { map.AskForMark(); };
    const PointFields shown = start ? *start : mode == EditMode::Change ? document.Fields(row) : PointFields{};
    const std::optional<PointFields> chosen = vondrel::EditPoint(Hwnd(), shown, services);
    if (!chosen) return false;
    const std::optional<Selection> after = document.ApplyFields(mode, row, *chosen, ListSelection());
    if (after) ShowDocument(*after);
    return after.has_value();
}

void MainDialog::ChangePoint() {
    if (pointList.SelectedRows().size() >= 2) return ChangeSelectedPoints();
    const int row = pointList.List().LowestSelectedRow();
    if (row >= 0) EditPoint(EditMode::Change, row);
}

void MainDialog::ChangeFocusedPoint() {
    // Enter and F2 change the row the keyboard is on, when it is selected; several selected rows
    // are changed together.
    if (pointList.SelectedRows().size() >= 2) return ChangeSelectedPoints();
    const win::ListView list = pointList.List();
    const int row = list.FocusedRow();
    if (row >= 0 && list.IsSelected(row)) {
        EditPoint(EditMode::Change, row);
    } else {
        ChangePoint();
    }
}

void MainDialog::ChangeSelectedPoints() {
    const Selection before = ListSelection();
    if (before.rows.empty()) return;
    const std::optional<BatchChange> change =
        AskBatchChange(Hwnd(), document.Fields(before.rows.front()), static_cast<int>(before.rows.size()),
                       [this](int index) { return markImages.MakeIcon(index); });
    if (!change) return;
    if (const auto after = document.ChangeSelected(*change, before)) ShowDocument(*after);
}

LRESULT MainDialog::OnPointDoubleClick(NMHDR*) {
    ChangePoint();
    return 0;
}

void MainDialog::AddPoint() {
    if (!document.CanAddPoint()) {
        prompts->ShowMessage(Hwnd(), PointLimitText(kTableRows), MB_OK);
        return;
    }
    const int row = pointList.List().LowestSelectedRow();
    EditPoint(EditMode::Add, row < 0 ? 0 : row);
}

void MainDialog::DeletePoints() {
    // Asks nothing: undo brings the points back.
    if (const auto after = document.DeleteSelected(ListSelection())) ShowDocument(*after);
}

void MainDialog::SelectAll() {
    // The list the keyboard is in: the import pane's rows too can be taken all at once.
    const win::ListView list = GetFocus() == importPane.Hwnd() ? importPane.List() : pointList.List();
    list.SelectAll(true);
    UpdateRowIndicator();
}

void MainDialog::SelectNone() {
    pointList.List().SelectAll(false);
    UpdateRowIndicator();
}

LRESULT MainDialog::OnPointClick(NMHDR*) {
    const int row = pointList.List().LowestSelectedRow();
    if (row < 0) return 0;
    if (os::FileExists(win::ProgramFolder() / kLinkProgram)) Item(IDC_MAIN_SHOW_MAP).Enable(true);
    pointList.List().SelectAndFocus(row);
    UpdateRowIndicator();
    return 0;
}

LRESULT MainDialog::OnListContextMenu(WPARAM window, LPARAM pointParam) {
    if (reinterpret_cast<HWND>(window) != pointList.Hwnd()) return 0;
    POINT point{GET_X_LPARAM(pointParam), GET_Y_LPARAM(pointParam)};
    if (point.x == -1 && point.y == -1) {
        // From the keyboard: at the focused row (or the first selected one), else the list's corner.
        const win::ListView list = pointList.List();
        int row = list.FocusedRow();
        if (row < 0) row = list.LowestSelectedRow();
        point = {0, 0};
        if (row >= 0) {
            const RECT rect = list.RowRect(row);
            point = {rect.left + 16, rect.bottom};
        }
        ClientToScreen(list.Hwnd(), &point);
    }
    const win::OwnedMenu menu(LoadMenuW(win::ResourceModule(), MAKEINTRESOURCEW(IDR_LIST_MENU)));
    if (!menu) return 0;
    TrackPopupMenu(GetSubMenu(menu.Get(), 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, Hwnd(), nullptr);
    return 0;
}

}  // namespace vondrel
