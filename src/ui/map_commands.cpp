// Map commands: show the selected points on the map, take the map's mark in as a new point or
// into the edit dialog, and choose the map object (restarting the bridge).
#include "resource.h"
#include "dialogs/map_object_dialog.h"
#include "ui/main_dialog.h"
#include "editing/main_texts.h"

namespace vondrel {

using bridge::Name;

void MainDialog::ShowPointsOnMap() {
    EnsureBridge();
    if (bridgeConnected != 1) return;
    SendCommand(Name::kDeleteText, "");
    const win::ListView list = pointList.List();
    for (int row = list.LowestSelectedRow(); row >= 0; row = list.NextSelectedRow(row)) {
        const PointFields point = document.Fields(row);
        SendCommand(Name::kAddTextEx, bridge::PointText(point.lat, point.lon, point.name));
    }
}

void MainDialog::ShowDialogPointOnMap(PointEditDialog& dialog) {
    EnsureBridge();
    if (bridgeConnected != 1) return;
    SendCommand(Name::kDeleteText, "");
    // The point as the dialog was opened with it: later typing is not sent.
    if (!dialog.lat.empty() && !dialog.lon.empty()) {
        SendCommand(Name::kAddTextEx, bridge::PointText(dialog.lat, dialog.lon, dialog.name));
    }
}

void MainDialog::CapturePosition() {
    EnsureBridge();
    if (capturedLat.empty() || capturedLon.empty()) return;
    if (!document.CanAddCapturedPoint()) {
        prompts->ShowMessage(Hwnd(), PointLimitText(kCapturedPointLimit), MB_OK);
        return;
    }
    const win::ListView list = pointList.List();
    for (int row = list.LowestSelectedRow(); row >= 0; row = list.NextSelectedRow(row)) {
        list.SetState(row, 0, LVIS_SELECTED | LVIS_FOCUSED);
    }
    const int index = document.AddCapturedPosition(capturedLon, capturedLat);
    if (index < 0) return;
    FillRowText(index);
    pointList.InsertRow(rowText, index);
    list.SetState(index, LVIS_SELECTED, LVIS_SELECTED);
    list.EnsureVisible(index);
    UpdateStatusBar();
    list.UpdateNow();
}

void MainDialog::SelectMapObject() {
    const win::RegistrySettings settings = Settings();
    MapObjectDialog dialog(settings);
    dialog.programKey = programKey;
    if (dialog.RunModal(Hwnd()) != IDOK) return;
    if (dialog.selectedObject == mapObjectName && bridgeConnected != 0) return;
    if (bridgeWindow || bridgeProcess.hProcess) CloseBridge(kBridgeCloseWait);
    mapObjectName = dialog.selectedObject;
    LaunchBridge();
}

}  // namespace vondrel
