// The map's address search (Ctrl+F, or 表示 > 住所検索): the editor's search dialog over the map;
// the place chosen becomes the mark at the middle of the map at zoom 16, so that the editor's
// 位置取込 takes it.
#include <windows.h>

#include "dialogs/address_search_dialog.h"
#include "tarvix/bridge_window.h"
#include "win/dpi.h"

namespace vondrel::tarvix {

void BridgeWindow::OnSearchAddress() {
    const std::optional<net::Place> place = SearchAddress(hwnd, "");
    if (!place) return;
    const GeoPoint at = FromWgs84(place->wgs84);
    refitPending = false;
    view = MapView::Fit({at}, PlotRect(), win::WindowDpi(hwnd));  // one position: kSinglePointZoom
    SetMark(at);
    ViewChanged(true);
}

}  // namespace vondrel::tarvix
