// The main window's map handlers: the selected points to the map, the map's mark in as a new
// point, the map object chooser, and the bridge's messages into the window and the edit dialog.
#include <cstdlib>

#include "core/limits.h"
#include "editing/main_texts.h"
#include "resource.h"
#include "ui/main_dialog.h"

namespace vondrel {

void MainDialog::ShowPointsOnMap() {
    std::vector<MapPoint> points;
    std::vector<int> rows;
    for (int row : SelectedRows()) {
        const PointFields fields = document.Fields(row);
        // A point without a position has none to show (0 degrees would be off the coast of Africa).
        if (fields.lat.empty() || fields.lon.empty()) continue;
        points.push_back({fields.lat, fields.lon, fields.name, std::atoi(fields.mark.c_str())});
        rows.push_back(row);
    }
    map.ShowPoints(points, rows);
}

void MainDialog::CapturePosition() {
    const std::optional<MapPosition> position = map.TakePosition();
    if (!position) return;
    if (!document.CanAddPoint()) {
        prompts->ShowMessage(Hwnd(), PointLimitText(kTableRows), MB_OK);
        return;
    }
    if (const auto after = document.AddCapturedPosition(position->lonDms, position->latDms, ListSelection())) {
        ShowDocument(*after);
        pointList.List().UpdateNow();
    }
}

void MainDialog::SelectMapObject() { map.ChooseObject(Hwnd(), Settings()); }

LRESULT MainDialog::OnBridgeMarkReady(WPARAM, LPARAM) {
    map.OnMarkReady();
    Item(IDC_MAIN_CAPTURE).Enable(true);
    return 0;
}

LRESULT MainDialog::OnBridgeReply(WPARAM subCommand, LPARAM character) {
    const auto received = map.OnReply(static_cast<std::uintptr_t>(subCommand), static_cast<std::intptr_t>(character));
    if (!received) return 0;
    if (received->axis == bridge::Axis::kLatitude) {
        Item(IDC_MAIN_LAT).SetText(received->display);
        editDialogPositions.ShowLatitude(received->display);
    } else {
        Item(IDC_MAIN_LON).SetText(received->display);
        editDialogPositions.ShowLongitude(received->display);
    }
    return 0;
}

LRESULT MainDialog::OnBridgeHello(WPARAM version, LPARAM processId) {
    map.OnHello(static_cast<std::uintptr_t>(version), static_cast<std::intptr_t>(processId));
    return 0;
}

LRESULT MainDialog::OnBridgeEdit(WPARAM step, LPARAM value) {
    const std::optional<MapEdit> edit = map.OnEditStep(static_cast<std::uintptr_t>(step), static_cast<std::intptr_t>(value));
    if (!edit) return 0;
    if (edit->step == bridge::EditStep::kAddHere) {
        if (!document.CanAddPoint()) {
            prompts->ShowMessage(Hwnd(), PointLimitText(kTableRows), MB_OK);
            return 0;
        }
        PointFields start;
        start.lat = edit->at.latDms;
        start.lon = edit->at.lonDms;
        const int row = pointList.List().LowestSelectedRow();
        EditPoint(EditMode::Add, row < 0 ? 0 : row, &start);
        return 0;
    }
    // The row must still hold the point that was sent (rows move when others are deleted).
    if (edit->row >= document.Count() || document.Fields(edit->row).name != edit->name) return 0;
    if (edit->step == bridge::EditStep::kClicked) {
        ApplySelection(OnlyRow(edit->row));
        return 0;
    }
    PointFields moved = document.Fields(edit->row);
    moved.lat = edit->at.latDms;
    moved.lon = edit->at.lonDms;
    const auto after = document.ApplyFields(EditMode::Change, edit->row, moved, ListSelection());
    if (!after) return 0;
    if (sortColumn >= 0) {
        ShowDocument(*after);  // the sort arrow no longer holds
    } else {
        // The selection stays: only the row is drawn again, within the frame after the release.
        pointList.List().RedrawRows(edit->row, edit->row);
        UpdateStatusBar();
        map.Follow(document.Count(), [this](int row) { return document.Fields(row); });
    }
    pointList.List().UpdateNow();
    return 0;
}

}  // namespace vondrel
