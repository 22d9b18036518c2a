// The point edit dialog's other ways to a position: a position or a map link pasted from a map
// app, the typed position copied for one, and the address search.
#include "dialogs/point_edit_dialog.h"

#include <cstdio>
#include <string>

#include "resource.h"
#include "core/map_position.h"
#include "core/text_fold.h"
#include "dialogs/address_search_dialog.h"
#include "editing/point_edit_logic.h"
#include "editing/point_input_checks.h"
#include "win/clipboard.h"
#include "os/win32_text.h"

namespace vondrel {

void PointEditDialog::OnPastePosition() {
    // A map app copies a position or a link on WGS 84; the fields take the Tokyo datum. The text
    // is read as UTF-8, converted from the clipboard's UTF-16 without loss.
    const std::optional<std::wstring> text = win::ReadClipboardText(Hwnd());
    const std::optional<DisplayPosition> position =
        text ? PastedPositionToDisplay(os::WideToUtf8(*text)) : std::nullopt;
    if (!position) {
        Tell("クリップボードの内容を位置として読み取れません。\n"
             "地図アプリでコピーした「35.681236, 139.767125」や「北緯35度40分52.4秒 東経139度46分1.6秒」のような"
             "緯度と経度か、位置を含む地図のリンクを貼り付けてください。");
        return;
    }
    Item(IDC_EDIT_LON).SetText(position->lon);
    Item(IDC_EDIT_LAT).SetText(position->lat);
}

void PointEditDialog::OnCopyPosition() {
    const std::string lon = text_fold::HalfWidthAscii(Item(IDC_EDIT_LON).GetText());
    const std::string lat = text_fold::HalfWidthAscii(Item(IDC_EDIT_LAT).GetText());
    if (const std::optional<InputProblem> problem = TypedPositionProblem(lon, lat)) {
        Refuse(problem->field == CheckedField::Longitude ? IDC_EDIT_LON : IDC_EDIT_LAT, problem->message);
        return;
    }
    if (!win::WriteClipboardText(Hwnd(), os::ToWide(TypedPositionToMapText(lon, lat)))) {
        Tell("クリップボードに書き込めませんでした。");
    }
}

void PointEditDialog::OnAddressSearch() {
    // A point without a position yet is looked up by its name.
    const bool placed = TypedToMilliseconds(text_fold::HalfWidthAscii(Item(IDC_EDIT_LON).GetText())) != 0 ||
                        TypedToMilliseconds(text_fold::HalfWidthAscii(Item(IDC_EDIT_LAT).GetText())) != 0;
    const std::optional<net::Place> place = SearchAddress(Hwnd(), placed ? "" : Item(IDC_EDIT_NAME).GetText());
    if (!place) return;
    // Taken as a WGS 84 position pasted from a map app, to a tenth of a millimetre.
    char text[64];
    std::snprintf(text, sizeof text, "%.9f, %.9f", place->wgs84.lat, place->wgs84.lon);
    const std::optional<DisplayPosition> position = PastedPositionToDisplay(text);
    if (!position) {
        Tell("この位置は地点の座標にできません（西経または南緯）。");
        return;
    }
    Item(IDC_EDIT_LON).SetText(position->lon);
    Item(IDC_EDIT_LAT).SetText(position->lat);
}

}  // namespace vondrel
