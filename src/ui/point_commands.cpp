// Point commands of the main window: change, add and delete through the edit dialog, the
// selection commands, row clicks and the list's context menu. List row i is table row i.
#include <windowsx.h>

#include "resource.h"
#include "os/file_io.h"
#include "ui/main_dialog.h"
#include "editing/main_texts.h"

namespace vondrel {

int MainDialog::EditPoint(int mode, int index) {
    PointEditDialog& dialog = editDialog;
    dialog.mapAvailable = bridgePresent;
    if (mode == 0) {
        pointTable.GetName(dialog.name, index);
        pointTable.GetReading(dialog.reading, index);
        pointTable.GetLonDms(dialog.lon, index);
        pointTable.GetLatDms(dialog.lat, index);
        pointTable.GetTel(dialog.tel, index);
        pointTable.GetMark(dialog.mark, index);
        pointTable.GetSound(dialog.sound, index);
        pointTable.GetDcenter(dialog.dcenter, index);
        dialog.directionOn = pointTable.GetDirectionOn(index);
    } else {
        for (std::string* text : {&dialog.name, &dialog.reading, &dialog.lon, &dialog.lat, &dialog.tel, &dialog.mark,
                                  &dialog.sound, &dialog.dcenter}) {
            text->clear();
        }
        dialog.directionOn = 0;
    }
    const INT_PTR result = dialog.RunModal(Hwnd());
    if (result != IDOK) return static_cast<int>(result);
    if (mode == 1 && pointTable.InsertBlank(index) != 1) return IDCANCEL;

    // Each value is written only when it differs from what the table gives now, so a coordinate the
    // user did not touch keeps its stored decimal text.
    bool changed = false;
    std::string current;
    auto update = [&](const std::string& edited, void (PointTable::*get)(std::string&, int) const,
                      void (PointTable::*set)(const std::string&, int)) {
        (pointTable.*get)(current, index);
        if (edited != current) {
            (pointTable.*set)(edited, index);
            changed = true;
        }
    };
    update(dialog.name, &PointTable::GetName, &PointTable::SetName);
    update(dialog.lon, &PointTable::GetLonDms, &PointTable::SetLon);
    update(dialog.lat, &PointTable::GetLatDms, &PointTable::SetLat);
    update(dialog.mark, &PointTable::GetMark, &PointTable::SetMark);
    update(dialog.reading, &PointTable::GetReading, &PointTable::SetReading);
    update(dialog.tel, &PointTable::GetTel, &PointTable::SetTel);
    update(dialog.sound, &PointTable::GetSound, &PointTable::SetSound);
    if (dialog.directionOn != pointTable.GetDirectionOn(index)) changed = true;
    pointTable.SetDirectionOn(dialog.directionOn, index);
    update(dialog.dcenter, &PointTable::GetDcenter, &PointTable::SetDcenter);
    if (mode == 0 && changed) pointTable.SetModified(1);
    return IDOK;
}

void MainDialog::ChangePoint() {
    const win::ListView list = pointList.List();
    const int row = list.LowestSelectedRow();
    if (row < 0) return;
    EditPoint(0, row);
    FillRowText(row);
    pointList.UpdateRow(rowText, row);
    list.UpdateNow();
}

LRESULT MainDialog::OnPointDoubleClick(NMHDR*) {
    ChangePoint();
    return 0;
}

void MainDialog::AddPoint() {
    if (pointTable.GetCount() >= MaxAddPoints) {
        prompts->ShowMessage(Hwnd(), PointLimitText(MaxAddPoints), MB_OK);
        return;
    }
    const win::ListView list = pointList.List();
    int row = list.LowestSelectedRow();
    if (row < 0) row = 0;
    if (EditPoint(1, row) == IDOK) {
        FillRowText(row);
        pointList.InsertRow(rowText, row);
        for (int selected = list.LowestSelectedRow(); selected >= 0; selected = list.NextSelectedRow(selected)) {
            list.SetState(selected, 0, LVIS_SELECTED | LVIS_FOCUSED);
        }
        list.SetState(row, LVIS_SELECTED, LVIS_SELECTED);
        list.EnsureVisible(row);
        UpdateStatusBar();
    }
    list.UpdateNow();
}

void MainDialog::DeletePoints() {
    const win::ListView list = pointList.List();
    int row = list.LowestSelectedRow();
    while (row >= 0) {
        const int next = list.NextSelectedRow(row);
        list.DeleteRow(row);
        pointTable.DeleteRow(row);
        UpdateStatusBar();
        SelectRow(row);
        if (next < 0) break;
        row = next - 1;  // every row after the deleted one moved up by one
    }
}

void MainDialog::SelectRow(int index) { pointList.List().SelectAndFocus(index); }

namespace {
void SetCheckStates(const win::ListView& list, int count, bool checked) {
    for (int i = 0; i < count; ++i) list.SetState(i, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
}
}  // namespace

void MainDialog::CheckAll() { SetCheckStates(pointList.List(), pointTable.GetCount(), true); }
void MainDialog::UncheckAll() { SetCheckStates(pointList.List(), pointTable.GetCount(), false); }

LRESULT MainDialog::OnPointClick(NMHDR*) {
    const int row = pointList.List().LowestSelectedRow();
    if (row < 0) return 0;
    if (os::FileExists("TarvixLink.exe")) Item(IDC_MAIN_SHOW_MAP).Enable(true);
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
    HMENU menu = LoadMenuW(win::ResourceModule(), MAKEINTRESOURCEW(IDR_MAIN_MENU));
    if (!menu) return 0;
    TrackPopupMenu(GetSubMenu(menu, 1), TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, Hwnd(), nullptr);
    DestroyMenu(menu);
    return 0;
}

}  // namespace vondrel
