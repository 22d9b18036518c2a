// MainDialog: the main window "Kestrova": its message map and the wiring between the parts it
// owns: the edited document, the two point lists, the status bar, the mark images, the find box
// and the map commands. It runs modeless with a message loop of its own,
// which gives the keyboard's accelerators first go. Its handlers live beside it by job:
// point_commands.cpp, edit_commands.cpp, file_commands.cpp, interchange_commands.cpp,
// map_handlers.cpp, main_layout.cpp, main_window_state.cpp, main_keys.cpp and
// reading_commands.cpp.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "dialogs/find_dialog.h"
#include "dialogs/point_edit_dialog.h"
#include "editing/point_document.h"
#include "editing/recent_files.h"
#include "files/message_sink.h"
#include "ui/import_pane.h"
#include "ui/map_commands.h"
#include "ui/mark_images.h"
#include "ui/point_import.h"
#include "ui/point_list.h"
#include "win/dialog.h"
#include "win/owned_handle.h"
#include "win/prompts.h"
#include "win/registry.h"
#include "win/status_bar.h"
#include "win/window_batch.h"

namespace vondrel {

// The registry path above the program's settings key.
constexpr char kRegistryBase[] = "SOFTWARE\\Zarn";

class MainDialog : public win::Dialog, private MessageSink {
public:
    // `arguments`: the command line after the program's name (UTF-16). `prompts`: where
    // message boxes and file dialogs go (the system's own when none is given). `registryBase`:
    // the registry path above the settings key (tests use a throwaway one).
    explicit MainDialog(const std::wstring& arguments, win::Prompts* prompts = nullptr,
                        std::string registryBase = kRegistryBase);
    ~MainDialog() override;

    // The edited list: its points, its file and whether it has unsaved changes.
    const PointDocument& Document() const { return document; }
    // Whether the import pane is reading a file.
    bool IsImporting() const { return pointImport.IsReading(); }

    // Shows the window and runs its message loop until the window has closed (main_keys.cpp).
    void Run();
    // A message of this thread before it is dispatched: the keyboard's accelerators, the find
    // box's and the window's dialog keys. True when it was handled (the loop then drops it).
    bool PreTranslate(MSG& message);

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;

private:
    enum class ViewMode { Edit, Import };
    static constexpr COLORREF kBackground = RGB(0, 0, 0);
    // Posted once the dialog manager has answered a DPI change: the rest of the window follows.
    static constexpr UINT kScaleSettled = WM_APP + 2;

    void ShowMessage(const std::string& text) override;  // MessageSink for loading and saving
    void ShowUtf8Message(const std::string& text) override;
    win::RegistrySettings Settings() const;

    // Status bar and lists.
    void UpdateStatusBar();
    void UpdateRowIndicator();
    void RefreshPointList();
    // The main list's selection, and the list shown anew from the document with `selection`.
    Selection ListSelection() const;
    void ShowDocument(const Selection& selection, bool sorted = false);
    void ApplySelection(const Selection& selection);
    std::vector<int> SelectedRows() const { return pointList.SelectedRows(); }
    LRESULT OnMainGetDispInfo(NMHDR* header) { return pointList.OnGetDispInfo(header); }
    LRESULT OnImportGetDispInfo(NMHDR* header) { return importPane.OnGetDispInfo(header); }
    LRESULT OnMainCustomDraw(NMHDR* header) { return pointList.OnCustomDraw(header); }
    LRESULT OnMainFindItem(NMHDR* header) { return pointList.OnFindItem(header); }
    LRESULT OnImportFindItem(NMHDR* header) { return importPane.OnFindItem(header); }
    LRESULT OnSelectionChanged(NMHDR*);
    LRESULT OnRowIndicatorDue(WPARAM, LPARAM);

    // Layout (main_layout.cpp).
    void ShowEditView();
    void ShowImportView();
    void LayOutCurrentView();
    void KeepListFocus(HWND focus);
    void PlaceLists(win::WindowBatch& batch) const;
    void PlaceButtonColumn(win::WindowBatch& batch) const;
    void OnSize(WPARAM type, LPARAM size);
    LRESULT OnSizing(WPARAM edge, LPARAM rect);
    LRESULT OnCtlColorDialog(WPARAM dc, LPARAM window);
    bool OnPaint(WPARAM, LPARAM, LRESULT& result);

    // Point commands (point_commands.cpp).
    bool EditPoint(EditMode mode, int row, const PointFields* start = nullptr);
    void ChangePoint();
    void AddPoint();
    void DeletePoints();
    void ChangeFocusedPoint();
    void ChangeSelectedPoints();  // the batch change, for two or more selected rows
    void SelectAll();
    void SelectNone();
    void MovePoint(int from, int to);
    LRESULT OnPointDoubleClick(NMHDR*);
    LRESULT OnPointClick(NMHDR*);
    LRESULT OnListContextMenu(WPARAM window, LPARAM point);

    // Undo, sorting, finding and duplicates (edit_commands.cpp).
    void Undo();
    void Redo();
    void MoveSelectedUp() { MoveSelected(-1); }
    void MoveSelectedDown() { MoveSelected(1); }
    void MoveSelected(int direction);
    LRESULT OnColumnClick(NMHDR* header);
    void OpenFindBox();
    void FindNextMatch();
    void FindText(const std::string& text);
    void OpenReplaceBox();
    void SelectDuplicates();
    void OnInitMenu(WPARAM menu, LPARAM);
    void FillReadings();  // reading_commands.cpp

    // File commands and the import (file_commands.cpp).
    void NewPointFile();
    void OpenPointFile();
    void SavePointFile();
    void SavePointFileAs() {
        if (ConfirmNoPositionSave()) SaveAsDialog();
    }
    // Asks before a list with points without a position is written; true to write it.
    bool ConfirmNoPositionSave();
    // True when the list was written (false when cancelled or the write failed).
    bool SaveAsDialog();
    void ConfirmClose();
    // Asks about unsaved changes before the list is replaced or the window closes. True when
    // the caller may go on (saved, empty, or discarded), false when the user cancelled or the
    // save did not happen.
    bool ResolveUnsavedChanges();
    // Reads `name` into the list and takes its name; a refusal or failure changes nothing.
    void OpenFile(const os::Path& name);
    // Writes the list to `path`, asking first over a file that was not read whole: the result
    // of PointDocument::Save, or Failed when the user cancelled.
    FileOutcome SaveTo(const os::Path& path);
    // The folder a file dialog starts in: the one it used last, never the program's own.
    os::Path DialogFolder(const os::Path& lastUsed) const;
    void ApplyFileName(const os::Path& name);
    LRESULT OnDropFiles(WPARAM drop, LPARAM);
    void ImportPointFile();
    void ImportDialog();
    void InsertFromImport(int dropIndex);
    LRESULT OnImportRead(WPARAM number, LPARAM);
    bool OnTimer(WPARAM id, LPARAM, LRESULT& result);

    // Other programs' formats (interchange_commands.cpp).
    void ExportPoints();
    void SetUpImportDatumChoice();
    void OnImportDatumChosen();

    // Map commands and the bridge's messages.
    void ShowPointsOnMap();
    void CapturePosition();
    void SelectMapObject();
    LRESULT OnBridgeMarkReady(WPARAM, LPARAM);
    LRESULT OnBridgeReply(WPARAM subCommand, LPARAM character);
    LRESULT OnBridgeHello(WPARAM version, LPARAM processId);
    LRESULT OnBridgeEdit(WPARAM step, LPARAM value);

    // The window's place, its recent files and its screen scale (main_window_state.cpp).
    void RestorePlacement();
    void SavePlacement() const;
    void LoadRecentFiles();
    void NoteRecentFile(const os::Path& path);
    void ShowRecentFiles() const;
    void OpenRecentFile(std::size_t index);
    void ApplyScale();
    void OnDpiChanged(WPARAM dpi, LPARAM suggested);
    LRESULT OnScaleSettled(WPARAM, LPARAM);

    // Other handlers.
    void IgnoreEnter() {}
    void OnAppExit();
    void OnAbout();
    LRESULT OnListBeginDrag(NMHDR* header);
    LRESULT OnImportBeginDrag(NMHDR*) { return importPane.OnBeginDrag(); }
    LRESULT OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(appIcon); }
    void OnDestroy(WPARAM, LPARAM);

    std::unique_ptr<win::Prompts> ownPrompts;
    win::Prompts* prompts;
    const std::string registryBase;

    PointDocument document;
    PointListCtrl pointList;
    ImportPane importPane;
    PointImport pointImport;
    win::StatusBar statusBar;
    MarkImages markImages;
    FindDialog findBox;
    MapPositionInbox editDialogPositions;  // the map's positions to the edit dialog while it is open
    MapCommands map;
    HACCEL listKeys = nullptr;    // resource tables: not owned
    HACCEL windowKeys = nullptr;
    HACCEL textKeys = nullptr;

    RecentFiles recentFiles;
    int dpi = 96;  // the screen scale the window is drawn at
    ViewMode viewMode = ViewMode::Edit;
    os::Path startFile;  // the file named on the command line, read when the window opens
    os::Path importDirectory;
    os::Path exportDirectory;  // the folder of the last export; empty until then
    win::GdiObject<HBRUSH> backgroundBrush;
    HICON appIcon = nullptr;       // shared resource icons: not owned
    HICON smallAppIcon = nullptr;
    int initialWidth = 0;
    int initialHeight = 0;
    int statusHeight = 0;
    bool layoutReady = false;  // the first size notification only arms the layout
    bool endsLoop = false;     // Run's message loop: the window's end quits it
    bool rowIndicatorDue = false;  // a selection change is waiting to be shown in the status bar
    int sortColumn = -1;           // the column of the last sort while its arrow shows, else -1
    bool sortDescending = false;
};

}  // namespace vondrel
