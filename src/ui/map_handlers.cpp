// The main window's map handlers: the selected points to the map, the map's mark in as a new
// point, the map object chooser, and the bridge's messages into the window and the edit dialog.
#include "core/limits.h"
#include "editing/main_texts.h"
#include "resource.h"
#include "ui/main_dialog.h"

namespace vondrel {

void MainDialog::ShowPointsOnMap() {
    std::vector<MapPoint> points;
    for (int row : SelectedRows()) {
        const PointFields fields = document.Fields(row);
        // A point without a position has none to show (0 degrees would be off the coast of Africa).
        if (!fields.lat.empty() && !fields.lon.empty()) points.push_back({fields.lat, fields.lon, fields.name});
    }
    map.ShowPoints(points);
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

}  // namespace vondrel
