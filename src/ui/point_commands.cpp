// Point commands of the main window: change, add and delete through the edit dialog, the
// selection commands, row clicks and the list's context menu. List row i is document row i.
#include <windowsx.h>

#include "core/limits.h"
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

bool MainDialog::EditPoint(EditMode mode, int row) {
    editDialog.mapAvailable = map.BridgePresent();
    editDialog.fields = mode == EditMode::Change ? document.Fields(row) : PointFields{};
    if (editDialog.RunModal(Hwnd()) != IDOK) return false;
    return document.ApplyFields(mode, row, editDialog.fields) || mode == EditMode::Change;
}

void MainDialog::ChangePoint() {
    const win::ListView list = pointList.List();
    const int row = list.LowestSelectedRow();
    if (row < 0) return;
    EditPoint(EditMode::Change, row);
    ShowRow(row, false);
    list.UpdateNow();
}

LRESULT MainDialog::OnPointDoubleClick(NMHDR*) {
    ChangePoint();
    return 0;
}

void MainDialog::AddPoint() {
    if (!document.CanAddPoint()) {
        prompts->ShowMessage(Hwnd(), PointLimitText(kAddedPointLimit), MB_OK);
        return;
    }
    const win::ListView list = pointList.List();
    int row = list.LowestSelectedRow();
    if (row < 0) row = 0;
    if (EditPoint(EditMode::Add, row)) {
        ShowRow(row, true);
        SelectOnly(row);
        UpdateStatusBar();
    }
    list.UpdateNow();
}

void MainDialog::DeletePoints() {
    const win::ListView list = pointList.List();
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) return;
    document.DeleteRows(rows);
    // Each deletion moves the later rows up by one; the row that takes a deleted one's place is
    // selected and focused.
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const int row = rows[k] - static_cast<int>(k);
        list.DeleteRow(row);
        SelectRow(row);
    }
    UpdateStatusBar();
}

namespace {
void SetCheckStates(const win::ListView& list, int count, bool checked) {
    for (int i = 0; i < count; ++i) list.SetState(i, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
}
}  // namespace

void MainDialog::CheckAll() { SetCheckStates(pointList.List(), document.Count(), true); }
void MainDialog::UncheckAll() { SetCheckStates(pointList.List(), document.Count(), false); }

LRESULT MainDialog::OnPointClick(NMHDR*) {
    const int row = pointList.List().LowestSelectedRow();
    if (row < 0) return 0;
    if (os::FileExists(win::ProgramFolder() / kLinkProgram)) Item(IDC_MAIN_SHOW_MAP).Enable(true);
    SelectRow(row);
    statusBar.SetPaneText(1, RowIndicatorText(row));
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
    const win::OwnedMenu menu(LoadMenuW(win::ResourceModule(), MAKEINTRESOURCEW(IDR_MAIN_MENU)));
    if (!menu) return 0;
    TrackPopupMenu(GetSubMenu(menu.Get(), 1), TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, Hwnd(), nullptr);
    return 0;
}

}  // namespace vondrel
