// Main window layout: the edit screen and the import view, resizing with a minimum size, the
// black background and the minimised image.
#include "editing/layout_rules.h"
#include "resource.h"
#include "ui/main_dialog.h"

namespace vondrel {

namespace {
struct LayoutMetrics {
    int clientWidth, clientHeight, buttonWidth, buttonHeight;
};

// The client size and the size of button 1003, which the layout rules are expressed in.
LayoutMetrics Measure(const MainDialog& dialog) {
    const RECT client = dialog.Self().ClientRect();
    const RECT button = dialog.Item(IDC_MAIN_CHANGE).WindowRect();
    return {client.right, client.bottom, button.right - button.left, button.bottom - button.top};
}

void Place(const win::Window& window, const Rect& rect) { window.Move(rect.x, rect.y, rect.width, rect.height); }
}  // namespace

void MainDialog::ShowEditView() {
    viewMode = ViewMode::Edit;
    Item(IDC_MAIN_IMPORT_LIST).Show(false);
    const LayoutMetrics m = Measure(*this);
    const ListLayout layout = EditViewLayout(m.clientWidth, m.clientHeight, m.buttonWidth, m.buttonHeight,
                                             statusBar.Height());
    Place(Item(IDC_MAIN_POINTS), layout.mainList);
    Item(IDC_MAIN_POINTS).Show(true);
}

void MainDialog::ShowImportView() {
    viewMode = ViewMode::Import;
    Item(IDC_MAIN_POINTS).Show(false);
    Item(IDC_MAIN_IMPORT_LIST).Show(true);
    Item(IDC_MAIN_POINTS).Show(true);
    const LayoutMetrics m = Measure(*this);
    const ListLayout layout = ImportViewLayout(m.clientWidth, m.clientHeight, m.buttonWidth, m.buttonHeight,
                                               statusBar.Height());
    Place(Item(IDC_MAIN_POINTS), layout.mainList);
    Place(Item(IDC_MAIN_IMPORT_LIST), layout.importList);
}

void MainDialog::LayOutCurrentView() {
    if (viewMode == ViewMode::Import) {
        ShowImportView();
    } else {
        ShowEditView();
    }
}

void MainDialog::AlignButtonColumn() {
    const LayoutMetrics m = Measure(*this);
    for (int id : {IDC_MAIN_CHANGE, IDC_MAIN_ADD, IDC_MAIN_DELETE, IDCANCEL}) Item(id).Show(true);
    for (int id : {IDC_MAIN_CHANGE, IDC_MAIN_ADD, IDC_MAIN_DELETE}) {
        const RECT r = Item(id).RectInParent();
        Item(id).Move(RightAlignedX(m.clientWidth, r.right - r.left), r.top, r.right - r.left, r.bottom - r.top);
    }
    const RECT close = Item(IDCANCEL).RectInParent();
    const int width = close.right - close.left;
    const int height = close.bottom - close.top;
    Item(IDCANCEL).Move(RightAlignedX(m.clientWidth, width), CloseButtonY(m.clientHeight, statusBar.Height(), height),
                        width, height);
}

void MainDialog::OnSize(WPARAM, LPARAM) {
    if (layoutReady) {
        LayOutCurrentView();
        AlignButtonColumn();
    }
    if (Hwnd() && Self().IsVisible() && statusBar) {
        const RECT client = Self().ClientRect();
        const int height = statusBar.Height();
        statusBar.MoveTo(0, client.bottom - height, client.right, height);
    }
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
