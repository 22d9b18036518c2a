// Main window: construction from the command line and the message map, initialisation, the
// status bar and the list, the about box and the end of the run.
#include "ui/main_dialog.h"

#include <utility>

#include "core/limits.h"
#include "dialogs/about_dialog.h"
#include "editing/file_state.h"
#include "editing/main_texts.h"
#include "editing/point_row_text.h"
#include "os/file_io.h"
#include "resource.h"
#include "win/program_folder.h"

namespace vondrel {

namespace {
constexpr COLORREF kStatusBackground = RGB(164, 174, 192);
// The settings key below the registry base.
constexpr char kProgramKey[] = "Vondrel";
}  // namespace

MainDialog::MainDialog(const std::wstring& arguments, win::Prompts* customPrompts, std::string base)
    : Dialog(IDD_MAIN), prompts(customPrompts), registryBase(std::move(base)) {
    if (!prompts) {
        ownPrompts = std::make_unique<win::SystemPrompts>();
        prompts = ownPrompts.get();
    }
    pointList.SetMoveHandler([this](int from, int to) { return document.Move(from, to); });
    editDialog.markIcon = [this](int index) { return markImages.MakeIcon(index); };
    editDialog.showMap = [this](PointEditDialog& dialog) { map.ShowPoint(dialog.fields); };

    // The file is read when the window opens; until then (and if it cannot be read) the list is
    // untitled, with the file's folder for the dialogs.
    startFile = FileNameFromArguments(arguments);
    document.SetFolder(NormalizePath(startFile, os::CurrentDirectory()).fileDirectory);
    importDirectory = document.Folder();
    appIcon = static_cast<HICON>(LoadImageW(win::ResourceModule(), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 0, 0,
                                            LR_DEFAULTSIZE | LR_SHARED));
    smallAppIcon = static_cast<HICON>(LoadImageW(win::ResourceModule(), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));

    OnCommand(IDOK, &MainDialog::IgnoreEnter);
    OnCommand(IDC_MAIN_CHANGE, &MainDialog::ChangePoint);
    OnCommand(IDC_MAIN_ADD, &MainDialog::AddPoint);
    OnCommand(IDC_MAIN_DELETE, &MainDialog::DeletePoints);
    OnCommand(ID_SELECT_ALL, &MainDialog::CheckAll);
    OnCommand(ID_SELECT_NONE, &MainDialog::UncheckAll);
    OnCommand(ID_FILE_OPEN, &MainDialog::OpenPointFile);
    OnCommand(ID_FILE_SAVE, &MainDialog::SavePointFile);
    OnCommand(ID_FILE_SAVE_AS, &MainDialog::SavePointFileAs);
    OnCommand(ID_FILE_IMPORT, &MainDialog::ImportPointFile);
    OnCommand(IDC_MAIN_SHOW_MAP, &MainDialog::ShowPointsOnMap);
    OnCommand(IDC_MAIN_CAPTURE, &MainDialog::CapturePosition);
    OnCommand(ID_MAP_SELECT, &MainDialog::SelectMapObject);
    OnCommand(ID_APP_EXIT, &MainDialog::OnAppExit);
    OnCommand(ID_APP_ABOUT, &MainDialog::OnAbout);
    OnCommand(ID_VIEW_EDIT, &MainDialog::ShowEditView);
    OnCommand(ID_VIEW_IMPORT, &MainDialog::ShowImportView);
    OnNotify(IDC_MAIN_POINTS, LVN_BEGINDRAG, &MainDialog::OnListBeginDrag);
    OnNotify(IDC_MAIN_POINTS, LVN_COLUMNCLICK, &MainDialog::OnColumnClick);
    OnNotify(IDC_MAIN_POINTS, NM_DBLCLK, &MainDialog::OnPointDoubleClick);
    OnNotify(IDC_MAIN_POINTS, NM_CLICK, &MainDialog::OnPointClick);
    OnNotify(IDC_MAIN_IMPORT_LIST, LVN_BEGINDRAG, &MainDialog::OnImportBeginDrag);
    OnMessage(WM_CONTEXTMENU, &MainDialog::OnListContextMenu);
    OnMessage(WM_DROPFILES, &MainDialog::OnDropFiles);
    OnMessage(bridge::kMarkReadyMessage, &MainDialog::OnBridgeMarkReady);
    OnMessage(bridge::kReplyMessage, &MainDialog::OnBridgeReply);
    OnMessageThenDefault(WM_SIZE, &MainDialog::OnSize);
    OnMessage(WM_SIZING, &MainDialog::OnSizing);
    OnMessage(WM_CTLCOLORDLG, &MainDialog::OnCtlColorDialog);
    OnMessageIf(WM_PAINT, &MainDialog::OnPaint);
    OnMessage(WM_QUERYDRAGICON, &MainDialog::OnQueryDragIcon);
    OnMessageThenDefault(WM_DESTROY, &MainDialog::OnDestroy);
}

MainDialog::~MainDialog() = default;

win::RegistrySettings MainDialog::Settings() const {
    return win::RegistrySettings(registryBase + "\\" + kProgramKey);
}

void MainDialog::ShowMessage(const std::string& text) { prompts->ShowMessage(Hwnd(), text, MB_OK); }

BOOL MainDialog::OnInitDialog() {
    // A window gets its first size notification while it is being created, before a dialog
    // procedure is attached: that notification only arms the layout for the next one.
    layoutReady = true;

    pointList.Attach(Item(IDC_MAIN_POINTS).Hwnd());
    importPane.Attach(Item(IDC_MAIN_IMPORT_LIST).Hwnd());
    importPane.Connect(*this, pointList.List(), [this](int row) { InsertFromImport(row); });

    Self().Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(appIcon));
    Self().Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallAppIcon ? smallAppIcon : appIcon));

    statusBar.Create(Hwnd(), IDC_MAIN_STATUS_BAR);
    statusBar.SetFixedPanes({100, 100});
    statusBar.SetBackground(kStatusBackground);
    statusHeight = statusBar.Height();
    const RECT client = Self().ClientRect();
    statusBar.MoveTo(0, client.bottom - statusHeight, client.right, statusHeight);
    for (int pane = 0; pane < 3; ++pane) statusBar.SetPaneText(pane, "");

    map.Start(Settings());

    const RECT outer = Self().WindowRect();
    initialWidth = outer.right - outer.left;
    initialHeight = outer.bottom - outer.top;

    Item(IDC_MAIN_CAPTURE).Enable(false);
    Item(IDC_MAIN_SHOW_MAP).Enable(map.BridgePresent());

    markImages.Build(win::ProgramFolder());  // never the current folder's icons
    backgroundBrush.Reset(CreateSolidBrush(kBackground));
    LayOutCurrentView();
    Item(IDC_MAIN_LON).Enable(false);
    Item(IDC_MAIN_LAT).Enable(false);
    pointList.SetupColumns(markImages.Large(), markImages.Small());
    importPane.SetupColumns(markImages.Large(), markImages.Small());

    if (!startFile.empty()) {
        document.Open(startFile, os::CurrentDirectory(), *this);
        RefreshPointList();
    }
    return TRUE;
}

void MainDialog::UpdateStatusBar() {
    statusBar.SetPaneText(0, document.FileName().native());
    statusBar.SetPaneText(1, "");
    statusBar.SetPaneText(2, PointCountText(document.Count()));
}

void MainDialog::RefreshPointList() {
    const win::ListView list = pointList.List();
    // Filled without redrawing row by row; painted once at the end.
    list.SetRedraw(false);
    list.DeleteAllRows();
    PointRowText text;
    for (int i = 0; i < kListedRows; ++i) {
        if (!document.Points().IsUsed(i)) continue;
        text.Fill(document.Points(), i);
        pointList.InsertRow(text, i);
    }
    list.SetRedraw(true);
    UpdateStatusBar();
    list.Invalidate();
    list.UpdateNow();
}

void MainDialog::ShowRow(int row, bool inserted) {
    PointRowText text;
    text.Fill(document.Points(), row);
    if (inserted) {
        pointList.InsertRow(text, row);
    } else {
        pointList.UpdateRow(text, row);
    }
}

void MainDialog::SelectOnly(int row) {
    const win::ListView list = pointList.List();
    for (int selected = list.LowestSelectedRow(); selected >= 0; selected = list.NextSelectedRow(selected)) {
        list.SetState(selected, 0, LVIS_SELECTED | LVIS_FOCUSED);
    }
    list.SetState(row, LVIS_SELECTED, LVIS_SELECTED);
    list.EnsureVisible(row);
}

void MainDialog::SelectRow(int index) { pointList.List().SelectAndFocus(index); }

std::vector<int> MainDialog::SelectedRows() const {
    std::vector<int> rows;
    const win::ListView list = pointList.List();
    for (int row = list.LowestSelectedRow(); row >= 0; row = list.NextSelectedRow(row)) rows.push_back(row);
    return rows;
}

LRESULT MainDialog::OnListBeginDrag(NMHDR* header) {
    return pointList.OnBeginDrag(reinterpret_cast<NMLISTVIEW*>(header));
}

void MainDialog::OnCancel() { ConfirmClose(); }

void MainDialog::OnAppExit() { Self().Send(WM_CLOSE); }

void MainDialog::OnAbout() {
    AboutDialog about;
    about.RunModal(Hwnd());
}

void MainDialog::OnDestroy(WPARAM, LPARAM) {
    backgroundBrush.Reset();
    // The bridge is asked to close and awaited, for a bounded time (never when it was never started).
    map.Stop();
    pointList.Detach();
    importPane.Detach();
}

}  // namespace vondrel
