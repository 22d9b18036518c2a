// Main window: construction from the command line, initialisation, status bar, mark images,
// the about box and the end of the run.
#include "ui/main_dialog.h"

#include "resource.h"
#include "dialogs/about_dialog.h"
#include "os/file_io.h"
#include "os/win32_text.h"
#include "editing/file_state.h"
#include "editing/icon_file.h"
#include "editing/main_texts.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vondrel {

namespace {
constexpr COLORREF kStatusBackground = RGB(164, 174, 192);

// The bytes of a small file ("" when it cannot be read), by a wide path: the current directory
// may hold characters that code page 932 cannot write.
std::string ReadSmallFile(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in) return std::string();
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
}  // namespace

bool MainDialog::layoutReady = false;

MainDialog::MainDialog(const std::string& arguments, win::Prompts* customPrompts)
    : Dialog(IDD_MAIN), prompts(customPrompts) {
    if (!prompts) {
        ownPrompts = std::make_unique<win::SystemPrompts>();
        prompts = ownPrompts.get();
    }
    pointList.SetMoveHandler([this](int from, int to) { return document.Move(from, to); });
    importPane.SetOwner(this);
    importPane.SetMessageSink(this);
    editDialog.markIcon = [this](int index) { return GetMarkIcon(index); };
    editDialog.showMap = [this](PointEditDialog& dialog) { ShowDialogPointOnMap(dialog); };

    document.SetFileName(FileNameFromArguments(arguments), os::CurrentDirectory());
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
    return win::RegistrySettings(registryBase + "\\" + programKey);
}

void MainDialog::ShowMessage(const std::string& text) { prompts->ShowMessage(Hwnd(), text, MB_OK); }

BOOL MainDialog::OnInitDialog() {
    // A window gets its first size notification while it is being created, before a dialog
    // procedure is attached: that notification only arms the layout for the next one.
    layoutReady = true;

    lonEdit = Item(IDC_MAIN_LON);
    latEdit = Item(IDC_MAIN_LAT);
    pointList.Attach(Item(IDC_MAIN_POINTS).Hwnd());
    importPane.Attach(Item(IDC_MAIN_IMPORT_LIST).Hwnd());

    Self().Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(appIcon));
    Self().Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallAppIcon ? smallAppIcon : appIcon));
    RegisterBridgeMessages();

    statusBar.Create(Hwnd(), IDC_MAIN_STATUS_BAR);
    statusBar.SetFixedPanes({100, 100});
    statusBar.SetBackground(kStatusBackground);
    statusHeight = statusBar.Height();
    const RECT client = Self().ClientRect();
    statusBar.MoveTo(0, client.bottom - statusHeight, client.right, statusHeight);
    for (int pane = 0; pane < 3; ++pane) statusBar.SetPaneText(pane, "");

    programKey = "Vondrel";
    mapObjectName = Settings().ReadStringValue("MapObject");
    importPane.rowLimit = kListedRows;

    const RECT outer = Self().WindowRect();
    initialWidth = outer.right - outer.left;
    initialHeight = outer.bottom - outer.top;

    Item(IDC_MAIN_CAPTURE).Enable(false);
    bridgePresent = os::FileExists("Tarvix2.exe") ? 1 : 0;
    Item(IDC_MAIN_SHOW_MAP).Enable(bridgePresent != 0);

    BuildMarkImages();
    backgroundColor = RGB(0, 0, 0);
    backgroundBrush = CreateSolidBrush(backgroundColor);
    LayOutCurrentView();
    lonEdit.Enable(false);
    latEdit.Enable(false);
    pointList.SetupColumns(largeMarkImages.Handle(), smallMarkImages.Handle());
    importPane.SetupColumns(largeMarkImages.Handle(), smallMarkImages.Handle());

    if (!document.FileName().empty()) {
        document.Load(*this);
        RefreshPointList();
    }
    return TRUE;
}

void MainDialog::BuildMarkImages() {
    largeMarkImages.Create(32, 4, 4);
    smallMarkImages.Create(16, 4, 4);
    // The images are gathered into one strip per list and added in one call each: adding 110
    // icons one by one dominated the start-up time.
    std::vector<std::uint32_t> large, small, image;
    large.reserve(kMarkCount * 32 * 32);
    small.reserve(kMarkCount * 16 * 16);
    std::vector<std::uint32_t> defaultLarge, defaultSmall;
    auto defaults = [&](int size) -> const std::vector<std::uint32_t>& {
        std::vector<std::uint32_t>& pixels = size == 32 ? defaultLarge : defaultSmall;
        if (pixels.empty()) {
            HICON icon = static_cast<HICON>(LoadImageW(win::ResourceModule(), MAKEINTRESOURCEW(IDI_DEFAULT_MARK),
                                                       IMAGE_ICON, size, size, 0));
            if (!win::IconPixels(icon, size, pixels)) pixels.assign(static_cast<std::size_t>(size) * size, 0);
            if (icon) DestroyIcon(icon);
        }
        return pixels;
    };
    // The files are looked up in the current directory only (a bare name could be searched elsewhere).
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), &folder[0]));
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    for (int n = 1; n <= kMarkCount; ++n) {
        wchar_t name[16];
        swprintf(name, 16, L"mark%02d.ico", n);
        const std::wstring path = folder + name;
        const std::string bytes = ReadSmallFile(path);
        for (int size : {32, 16}) {
            std::vector<std::uint32_t>& strip = size == 32 ? large : small;
            // Uncompressed 32-bit images are read directly; anything else goes through the system.
            bool loaded = !bytes.empty() && DecodeIconImage(bytes, size, image);
            if (!loaded && !bytes.empty()) {
                HICON icon = static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE));
                loaded = win::IconPixels(icon, size, image);
                if (icon) DestroyIcon(icon);
            }
            const std::vector<std::uint32_t>& pixels = loaded ? image : defaults(size);
            strip.insert(strip.end(), pixels.begin(), pixels.end());
        }
    }
    largeMarkImages.AddStrip(large, kMarkCount, 32);
    smallMarkImages.AddStrip(small, kMarkCount, 16);
}

void MainDialog::UpdateStatusBar() {
    statusBar.SetPaneText(0, document.FileName());
    statusBar.SetPaneText(1, "");
    statusBar.SetPaneText(2, PointCountText(document.Count()));
}

void MainDialog::RefreshPointList() {
    const win::ListView list = pointList.List();
    // Filled without redrawing row by row; painted once at the end.
    list.SetRedraw(false);
    list.DeleteAllRows();
    for (int i = 0; i < kListedRows; ++i) {
        if (!document.Points().IsUsed(i)) continue;
        FillRowText(i);
        pointList.InsertRow(rowText, i);
    }
    list.SetRedraw(true);
    UpdateStatusBar();
    list.Invalidate();
    list.UpdateNow();
}

LRESULT MainDialog::OnListBeginDrag(NMHDR* header) {
    return pointList.OnBeginDrag(reinterpret_cast<NMLISTVIEW*>(header));
}

void MainDialog::OnCancel() { ConfirmClose(); }

LRESULT MainDialog::OnImportBeginDrag(NMHDR*) { return importPane.OnBeginDrag(); }

void MainDialog::OnAppExit() { Self().Send(WM_CLOSE); }

void MainDialog::OnAbout() {
    AboutDialog about;
    about.RunModal(Hwnd());
}

void MainDialog::OnDestroy(WPARAM, LPARAM) {
    if (backgroundBrush) DeleteObject(backgroundBrush);
    backgroundBrush = nullptr;
    // The bridge is asked to close and awaited, for a bounded time (never when it was never started).
    if (bridgeWindow || bridgeProcess.hProcess) CloseBridge(kBridgeCloseWait);
    pointList.Detach();
    importPane.Detach();
}

}  // namespace vondrel
