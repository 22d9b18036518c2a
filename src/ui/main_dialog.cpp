// Main window: construction from the command line and the message map, initialisation, the
// status bar and the list, the about box and the end of the run.
#include "ui/main_dialog.h"

#include <utility>

#include "core/limits.h"
#include "dialogs/about_dialog.h"
#include "editing/file_state.h"
#include "editing/main_texts.h"
#include "editing/window_scale.h"
#include "os/file_io.h"
#include "os/win32_text.h"
#include "resource.h"
#include "win/dpi.h"
#include "win/program_folder.h"

namespace vondrel {

namespace {
constexpr COLORREF kStatusBackground = RGB(164, 174, 192);
// The settings key below the registry base.
constexpr char kProgramKey[] = "Vondrel";
// Posted to the window when the main list's selection changed.
constexpr UINT kRowIndicatorDue = WM_APP + 1;
}  // namespace

MainDialog::MainDialog(const std::wstring& arguments, win::Prompts* customPrompts, std::string base)
    : Dialog(IDD_MAIN), prompts(customPrompts), registryBase(std::move(base)),
      findBox([this](const std::string& text) { FindText(text); }) {
    if (!prompts) {
        ownPrompts = std::make_unique<win::SystemPrompts>();
        prompts = ownPrompts.get();
    }
    pointList.SetMoveHandler([this](int from, int to) { MovePoint(from, to); });
    // The mark files are read while the window is made; OnInitDialog makes the lists of them.
    markImages.Prefetch(win::ProgramFolder());

    // The file is read when the window opens; until then (and if it cannot be read) the list is
    // untitled, with the file's folder for the dialogs.
    startFile = FileNameFromArguments(arguments);
    if (!startFile.empty()) document.SetFolder(NormalizePath(startFile, os::CurrentDirectory()).fileDirectory);
    appIcon = static_cast<HICON>(LoadImageW(win::ResourceModule(), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 0, 0,
                                            LR_DEFAULTSIZE | LR_SHARED));
    smallAppIcon = static_cast<HICON>(LoadImageW(win::ResourceModule(), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));

    OnCommand(IDOK, &MainDialog::IgnoreEnter);
    OnCommand(IDC_MAIN_CHANGE, &MainDialog::ChangePoint);
    OnCommand(IDC_MAIN_ADD, &MainDialog::AddPoint);
    OnCommand(IDC_MAIN_DELETE, &MainDialog::DeletePoints);
    OnCommand(ID_EDIT_CHANGE_FOCUSED, &MainDialog::ChangeFocusedPoint);
    OnCommand(ID_SELECT_ALL, &MainDialog::SelectAll);
    OnCommand(ID_SELECT_NONE, &MainDialog::SelectNone);
    OnCommand(ID_EDIT_UNDO, &MainDialog::Undo);
    OnCommand(ID_EDIT_REDO, &MainDialog::Redo);
    OnCommand(ID_EDIT_MOVE_UP, &MainDialog::MoveSelectedUp);
    OnCommand(ID_EDIT_MOVE_DOWN, &MainDialog::MoveSelectedDown);
    OnCommand(ID_EDIT_FIND, &MainDialog::OpenFindBox);
    OnCommand(ID_EDIT_FIND_NEXT, &MainDialog::FindNextMatch);
    OnCommand(ID_EDIT_REPLACE, &MainDialog::OpenReplaceBox);
    OnCommand(ID_EDIT_DUPLICATES, &MainDialog::SelectDuplicates);
    OnCommand(ID_EDIT_FILL_READINGS, &MainDialog::FillReadings);
    OnCommand(ID_FILE_NEW, &MainDialog::NewPointFile);
    OnCommand(ID_FILE_OPEN, &MainDialog::OpenPointFile);
    OnCommand(ID_FILE_SAVE, &MainDialog::SavePointFile);
    OnCommand(ID_FILE_SAVE_AS, &MainDialog::SavePointFileAs);
    OnCommand(ID_FILE_IMPORT, &MainDialog::ImportPointFile);
    OnCommand(ID_FILE_EXPORT, &MainDialog::ExportPoints);
    OnCommandCode(IDC_MAIN_IMPORT_DATUM, CBN_SELCHANGE, &MainDialog::OnImportDatumChosen);
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
    OnNotify(IDC_MAIN_POINTS, LVN_GETDISPINFOW, &MainDialog::OnMainGetDispInfo);
    OnNotify(IDC_MAIN_POINTS, NM_CUSTOMDRAW, &MainDialog::OnMainCustomDraw);
    OnNotify(IDC_MAIN_POINTS, LVN_ODFINDITEMW, &MainDialog::OnMainFindItem);
    OnNotify(IDC_MAIN_IMPORT_LIST, LVN_ODFINDITEMW, &MainDialog::OnImportFindItem);
    OnNotify(IDC_MAIN_POINTS, LVN_ITEMCHANGED, &MainDialog::OnSelectionChanged);
    OnNotify(IDC_MAIN_POINTS, LVN_ODSTATECHANGED, &MainDialog::OnSelectionChanged);
    OnNotify(IDC_MAIN_IMPORT_LIST, LVN_BEGINDRAG, &MainDialog::OnImportBeginDrag);
    OnNotify(IDC_MAIN_IMPORT_LIST, LVN_GETDISPINFOW, &MainDialog::OnImportGetDispInfo);
    OnMessage(WM_CONTEXTMENU, &MainDialog::OnListContextMenu);
    OnMessageThenDefault(WM_INITMENU, &MainDialog::OnInitMenu);
    OnMessage(kRowIndicatorDue, &MainDialog::OnRowIndicatorDue);
    OnMessage(WM_DROPFILES, &MainDialog::OnDropFiles);
    OnMessage(ImportReading::kDoneMessage, &MainDialog::OnImportRead);
    OnMessageIf(WM_TIMER, &MainDialog::OnTimer);
    OnMessage(bridge::kMarkReadyMessage, &MainDialog::OnBridgeMarkReady);
    OnMessage(bridge::kReplyMessage, &MainDialog::OnBridgeReply);
    OnMessage(RegisterWindowMessageW(os::ToWide(bridge::kEditHelloName).c_str()), &MainDialog::OnBridgeHello);
    OnMessage(RegisterWindowMessageW(os::ToWide(bridge::kEditFromMapName).c_str()), &MainDialog::OnBridgeEdit);
    OnMessageThenDefault(WM_SIZE, &MainDialog::OnSize);
    OnMessage(WM_SIZING, &MainDialog::OnSizing);
    OnMessage(WM_CTLCOLORDLG, &MainDialog::OnCtlColorDialog);
    OnMessageIf(WM_PAINT, &MainDialog::OnPaint);
    OnMessage(WM_QUERYDRAGICON, &MainDialog::OnQueryDragIcon);
    OnMessageThenDefault(WM_DPICHANGED, &MainDialog::OnDpiChanged);
    OnMessage(kScaleSettled, &MainDialog::OnScaleSettled);
    for (std::size_t i = 0; i < RecentFiles::kLimit; ++i) {
        OnCommandCall(ID_FILE_RECENT_FIRST + static_cast<int>(i), [this, i] { OpenRecentFile(i); });
    }
    OnMessageThenDefault(WM_DESTROY, &MainDialog::OnDestroy);
}

MainDialog::~MainDialog() = default;

win::RegistrySettings MainDialog::Settings() const {
    return win::RegistrySettings(registryBase + "\\" + kProgramKey);
}

void MainDialog::ShowMessage(const std::string& text) { prompts->ShowMessage(Hwnd(), text, MB_OK); }
void MainDialog::ShowUtf8Message(const std::string& text) { prompts->ShowUtf8Message(Hwnd(), text, MB_OK); }

BOOL MainDialog::OnInitDialog() {
    // A window gets its first size notification while it is being created, before a dialog
    // procedure is attached: that notification only arms the layout for the next one.
    layoutReady = true;
    dpi = win::WindowDpi(Hwnd());

    pointList.Attach(Item(IDC_MAIN_POINTS).Hwnd());
    importPane.Attach(Item(IDC_MAIN_IMPORT_LIST).Hwnd());
    pointList.ShowPoints(document.Points());
    listKeys = LoadAcceleratorsW(win::ResourceModule(), MAKEINTRESOURCEW(IDR_KEYS_LIST));
    windowKeys = LoadAcceleratorsW(win::ResourceModule(), MAKEINTRESOURCEW(IDR_KEYS_WINDOW));
    textKeys = LoadAcceleratorsW(win::ResourceModule(), MAKEINTRESOURCEW(IDR_KEYS_TEXT));
    importPane.Connect(pointList.List(), [this](int row) { InsertFromImport(row); },
                       [this](const os::Path& path) { pointImport.Load(path); });
    pointImport.Connect(Hwnd(), importPane, *this);

    Self().Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(appIcon));
    Self().Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallAppIcon ? smallAppIcon : appIcon));

    statusBar.Create(Hwnd(), IDC_MAIN_STATUS_BAR);
    statusBar.SetFixedPanes({ScalePixels(100, dpi), ScalePixels(100, dpi), ScalePixels(70, dpi)});
    statusBar.SetBackground(kStatusBackground);
    statusHeight = statusBar.Height();
    const RECT client = Self().ClientRect();
    statusBar.MoveTo(0, client.bottom - statusHeight, client.right, statusHeight);
    for (int pane = 0; pane < 4; ++pane) statusBar.SetPaneText(pane, "");

    map.Start(Settings());

    const RECT outer = Self().WindowRect();
    initialWidth = outer.right - outer.left;
    initialHeight = outer.bottom - outer.top;
    RestorePlacement();
    LoadRecentFiles();

    Item(IDC_MAIN_CAPTURE).Enable(false);
    Item(IDC_MAIN_SHOW_MAP).Enable(map.BridgePresent());

    markImages.Build(win::ProgramFolder(), dpi);  // never the current folder's icons
    backgroundBrush.Reset(CreateSolidBrush(kBackground));
    LayOutCurrentView();
    {
        // The buttons too: a window larger than the screen was made smaller than its template.
        win::WindowBatch batch(4);
        PlaceButtonColumn(batch);
    }
    Item(IDC_MAIN_LON).Enable(false);
    Item(IDC_MAIN_LAT).Enable(false);
    pointList.SetupColumns(markImages.Large(), markImages.Small(), dpi);
    importPane.SetupColumns(markImages.Large(), markImages.Small(), dpi);
    SetUpImportDatumChoice();

    if (!startFile.empty()) {
        if (document.Open(startFile, os::CurrentDirectory(), *this) == FileOutcome::Done) NoteRecentFile(document.FilePath());
        RefreshPointList();
    }
    // The keyboard starts in the list (the first tab stop would be the close button).
    Self().Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pointList.Hwnd()), TRUE);
    return FALSE;
}

void MainDialog::UpdateStatusBar() {
    statusBar.SetPaneText(0, document.FileName().native());
    UpdateRowIndicator();
    statusBar.SetPaneText(2, PointCountText(document.Count()));
    statusBar.SetPaneText(3, document.IsModified() ? "変更あり" : "");
}

void MainDialog::UpdateRowIndicator() {
    const win::ListView list = pointList.List();
    int row = list.FocusedRow();
    if (row < 0 || !list.IsSelected(row)) row = list.LowestSelectedRow();
    statusBar.SetPaneText(1, row >= 0 ? RowIndicatorText(row) : "");
}

LRESULT MainDialog::OnSelectionChanged(NMHDR* header) {
    // Selecting many rows sends a notification for each: the pane is written once they are done.
    if (header->code == LVN_ITEMCHANGED && !(reinterpret_cast<NMLISTVIEW*>(header)->uChanged & LVIF_STATE)) return 0;
    if (!rowIndicatorDue) {
        rowIndicatorDue = true;
        Self().Post(kRowIndicatorDue);
    }
    return 0;
}

LRESULT MainDialog::OnRowIndicatorDue(WPARAM, LPARAM) {
    rowIndicatorDue = false;
    UpdateRowIndicator();
    map.Highlight(SelectedRows());
    return 0;
}

void MainDialog::RefreshPointList() {
    ShowDocument(Selection{});
    if (document.Count() > 0) pointList.List().EnsureVisible(0);
    pointList.List().UpdateNow();
}

Selection MainDialog::ListSelection() const {
    Selection selection;
    selection.rows = pointList.SelectedRows();
    selection.focus = pointList.List().FocusedRow();
    return selection;
}

void MainDialog::ApplySelection(const Selection& selection) {
    const win::ListView list = pointList.List();
    // Selecting 700 rows anew costs the list a notification for each: a selection it shows is kept.
    if (!(selection == ListSelection())) {
        list.SetState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        if (!selection.rows.empty() && static_cast<int>(selection.rows.size()) == list.Count()) {
            list.SelectAll(true);
        } else {
            for (int row : selection.rows) list.SetState(row, LVIS_SELECTED, LVIS_SELECTED);
        }
        if (selection.focus >= 0) list.SetState(selection.focus, LVIS_FOCUSED, LVIS_FOCUSED);
    }
    const int shown = selection.focus >= 0 ? selection.focus : (selection.rows.empty() ? -1 : selection.rows.front());
    if (shown >= 0) list.EnsureVisible(shown);
}

void MainDialog::ShowDocument(const Selection& selection, bool sorted) {
    // Only a new row count is set again; the same rows are redrawn.
    if (pointList.List().Count() == document.Count()) {
        pointList.List().Invalidate();
    } else {
        pointList.Refresh();
    }
    ApplySelection(selection);
    if (!sorted && sortColumn >= 0) {
        // The list may no longer be in the order the arrow claims.
        pointList.List().SetSortArrow(sortColumn, 0);
        sortColumn = -1;
    }
    UpdateStatusBar();
    map.Follow(document.Count(), [this](int row) { return document.Fields(row); });
}

void MainDialog::MovePoint(int from, int to) {
    if (const auto after = document.Move(from, to, ListSelection())) ShowDocument(*after);
}

LRESULT MainDialog::OnListBeginDrag(NMHDR* header) {
    return pointList.OnBeginDrag(reinterpret_cast<NMLISTVIEW*>(header));
}

void MainDialog::OnCancel() { ConfirmClose(); }

void MainDialog::OnAppExit() { Self().Send(WM_CLOSE); }

void MainDialog::OnAbout() {
    ShowAbout(Hwnd());
}

void MainDialog::OnDestroy(WPARAM, LPARAM) {
    SavePlacement();
    backgroundBrush.Reset();
    // The bridge is asked to close and awaited, for a bounded time (never when it was never started).
    map.Stop();
    pointList.Detach();
    importPane.Detach();
    if (endsLoop) PostQuitMessage(0);
}

}  // namespace vondrel
