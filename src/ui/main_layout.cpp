// Main window layout: the edit screen and the import view, resizing with a minimum size, the
// black background and the minimised image. Every layout moves its windows in one batch and
// then draws the window anew, so no pixels of an old place stay behind at any size.
#include <algorithm>

#include "editing/layout_rules.h"
#include "editing/window_scale.h"
#include "resource.h"
#include "ui/main_dialog.h"
#include "win/window_batch.h"

namespace vondrel {

namespace {
struct LayoutMetrics {
    int clientWidth, clientHeight, buttonWidth, buttonHeight;
};

// The client size and the size of button IDC_MAIN_CHANGE (変更), which the layout rules are
// expressed in. The lists start 5 pixels (at 96 DPI) below that button's height, and never less
// than a pixel below the row of coordinates and map buttons above them, which grows faster with
// the font than the margin does.
LayoutMetrics Measure(const MainDialog& dialog, int dpi) {
    const RECT client = dialog.Self().ClientRect();
    const RECT button = dialog.Item(IDC_MAIN_CHANGE).WindowRect();
    const RECT topRow = dialog.Item(IDC_MAIN_SHOW_MAP).RectInParent();
    const int clearOfTopRow = topRow.bottom + ScalePixels(1, dpi) - ScalePixels(5, dpi);
    return {client.right, client.bottom, button.right - button.left,
            std::max<int>(button.bottom - button.top, clearOfTopRow)};
}

void Place(win::WindowBatch& batch, const win::Window& window, const Rect& rect) {
    batch.Move(window.Hwnd(), rect.x, rect.y, rect.width, rect.height);
}
}  // namespace

void MainDialog::PlaceLists(win::WindowBatch& batch) const {
    const LayoutMetrics m = Measure(*this, dpi);
    if (viewMode == ViewMode::Import) {
        // The datum choice stands under the import list, at the height a closed combo box has.
        const RECT choice = Item(IDC_MAIN_IMPORT_DATUM).WindowRect();
        const ListLayout layout = ImportViewLayout(m.clientWidth, m.clientHeight, m.buttonWidth, m.buttonHeight,
                                                   statusBar.Height(), choice.bottom - choice.top, dpi);
        Place(batch, Item(IDC_MAIN_POINTS), layout.mainList);
        Place(batch, Item(IDC_MAIN_IMPORT_LIST), layout.importList);
        Place(batch, Item(IDC_MAIN_IMPORT_DATUM), layout.importChoice);
    } else {
        const ListLayout layout = EditViewLayout(m.clientWidth, m.clientHeight, m.buttonWidth, m.buttonHeight,
                                                 statusBar.Height(), dpi);
        Place(batch, Item(IDC_MAIN_POINTS), layout.mainList);
    }
}

void MainDialog::ShowEditView() {
    const HWND focus = GetFocus();
    viewMode = ViewMode::Edit;
    Item(IDC_MAIN_IMPORT_LIST).Show(false);
    Item(IDC_MAIN_IMPORT_DATUM).Show(false);
    {
        win::WindowBatch batch(1);
        PlaceLists(batch);
    }
    Item(IDC_MAIN_POINTS).Show(true);
    KeepListFocus(focus);
}

void MainDialog::ShowImportView() {
    const HWND focus = GetFocus();
    viewMode = ViewMode::Import;
    Item(IDC_MAIN_POINTS).Show(false);
    Item(IDC_MAIN_IMPORT_LIST).Show(true);
    Item(IDC_MAIN_IMPORT_DATUM).Show(true);
    Item(IDC_MAIN_POINTS).Show(true);
    {
        win::WindowBatch batch(3);
        PlaceLists(batch);
    }
    KeepListFocus(focus);
}

void MainDialog::KeepListFocus(HWND focus) {
    // A list (or the datum choice under the import list) hidden with the focus would hand it to
    // the next tab stop, the close button, which Enter would then press: the focus stays in a list.
    const HWND datumChoice = Item(IDC_MAIN_IMPORT_DATUM).Hwnd();
    if (focus != pointList.Hwnd() && focus != importPane.Hwnd() && focus != datumChoice) return;
    const HWND keep = IsWindowVisible(focus) ? focus : pointList.Hwnd();
    if (GetFocus() != keep) Self().Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(keep), TRUE);
}

void MainDialog::LayOutCurrentView() {
    if (viewMode == ViewMode::Import) {
        ShowImportView();
    } else {
        ShowEditView();
    }
}

void MainDialog::PlaceButtonColumn(win::WindowBatch& batch) const {
    const LayoutMetrics m = Measure(*this, dpi);
    for (int id : {IDC_MAIN_CHANGE, IDC_MAIN_ADD, IDC_MAIN_DELETE}) {
        const RECT r = Item(id).RectInParent();
        batch.Move(Item(id).Hwnd(), RightAlignedX(m.clientWidth, r.right - r.left, dpi), r.top, r.right - r.left, r.bottom - r.top);
    }
    const RECT close = Item(IDCANCEL).RectInParent();
    const int width = close.right - close.left;
    const int height = close.bottom - close.top;
    batch.Move(Item(IDCANCEL).Hwnd(), RightAlignedX(m.clientWidth, width, dpi),
               CloseButtonY(m.clientHeight, statusBar.Height(), height), width, height);
}

void MainDialog::OnSize(WPARAM type, LPARAM) {
    if (type == SIZE_MINIMIZED) return;
    if (layoutReady) {
        {
            win::WindowBatch batch(7);
            PlaceLists(batch);
            PlaceButtonColumn(batch);
        }
        for (int id : {IDC_MAIN_CHANGE, IDC_MAIN_ADD, IDC_MAIN_DELETE, IDCANCEL}) Item(id).Show(true);
    }
    if (Hwnd() && Self().IsVisible() && statusBar) {
        const RECT client = Self().ClientRect();
        const int height = statusBar.Height();
        statusBar.MoveTo(0, client.bottom - height, client.right, height);
    }
    if (layoutReady) RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    layoutReady = true;
}

LRESULT MainDialog::OnSizing(WPARAM, LPARAM rectParam) {
    RECT* rect = reinterpret_cast<RECT*>(rectParam);
    const Edges edges = EnforceMinimumSize({rect->left, rect->top, rect->right, rect->bottom}, initialWidth, initialHeight);
    rect->right = edges.right;
    rect->bottom = edges.bottom;
    return TRUE;
}

LRESULT MainDialog::OnCtlColorDialog(WPARAM dc, LPARAM) {
    SetBkColor(reinterpret_cast<HDC>(dc), kBackground);
    return reinterpret_cast<LRESULT>(backgroundBrush.Get());
}

bool MainDialog::OnPaint(WPARAM, LPARAM, LRESULT& result) {
    if (!IsIconic(Hwnd())) return false;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Hwnd(), &paint);
    Self().Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc));
    const RECT client = Self().ClientRect();
    const int width = GetSystemMetrics(SM_CXICON);
    const int height = GetSystemMetrics(SM_CYICON);
    DrawIcon(dc, (client.right - width + 1) / 2, (client.bottom - height + 1) / 2, appIcon);
    EndPaint(Hwnd(), &paint);
    result = 0;
    return true;
}

}  // namespace vondrel
