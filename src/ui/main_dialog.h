// MainDialog: the main window "Kestrova" and owner of all state for the whole run: the edited
// point table, both lists, the status bar, the mark images, the file state and the settings.
// Members are public: the commands of the window read and write them directly.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "dialogs/point_edit_dialog.h"
#include "editing/point_document.h"
#include "protocol/bridge_protocol.h"
#include "win/dialog.h"
#include "win/image_list.h"
#include "win/prompts.h"
#include "win/registry.h"
#include "win/status_bar.h"
#include "ui/import_pane.h"
#include "ui/point_list.h"
#include "editing/point_row_text.h"

namespace vondrel {

class MainDialog : public win::Dialog, private MessageSink {
public:
    // `arguments`: the command line after the program's name (code page 932). `prompts`: where
    // message boxes and file dialogs go (the system's own when none is given).
    explicit MainDialog(const std::string& arguments, win::Prompts* prompts = nullptr);
    ~MainDialog() override;

    PointEditDialog editDialog;
    int bridgePresent = 0;
    win::StatusBar statusBar;
    bridge::MessageNumbers bridgeMessages;
    int bridgeConnected = 0;
    HWND bridgeWindow = nullptr;
    PROCESS_INFORMATION bridgeProcess{};
    PointDocument document;
    win::ImageList smallMarkImages;
    win::ImageList largeMarkImages;
    PointRowText rowText;
    std::int8_t viewMode = 0;
    COLORREF backgroundColor = RGB(0, 0, 0);
    HBRUSH backgroundBrush = nullptr;
    std::string programKey;
    std::string mapObjectName;
    win::Window lonEdit;
    win::Window latEdit;
    PointListCtrl pointList;
    ImportPane importPane;
    int initialWidth = 0;
    int initialHeight = 0;
    HICON appIcon = nullptr;
    std::string importDirectory;
    std::string lastImportPath;
    bridge::ReplyAssembler receiveBuffer;
    std::string capturedLat;
    std::string capturedLon;

    // The registry path above the program's key; tests point it at a throwaway key.
    std::string registryBase = "SOFTWARE\\Zarn";

    // Status bar, lists and layout.
    void UpdateStatusBar();
    void FillRowText(int index) { rowText.Fill(document.Points(), index); }
    void RefreshPointList();
    HICON GetMarkIcon(int index) const { return largeMarkImages.MakeIcon(index); }
    void ShowEditView();
    void ShowImportView();
    win::RegistrySettings Settings() const;

    // Point commands.
    // Shows the edit dialog for the point at `row` (a blank one when adding) and gives the
    // fields to the document after OK. True when OK was pressed and the fields were taken.
    bool EditPoint(EditMode mode, int row);
    void ChangePoint();
    void AddPoint();
    void DeletePoints();
    void CheckAll();
    void UncheckAll();
    void SelectRow(int index);

    // File commands.
    void OpenPointFile();
    void SavePointFile();
    void SavePointFileAs() { SaveAsDialog(); }
    // Returns true when the list was written (false when cancelled or the write failed).
    bool SaveAsDialog();
    void ConfirmClose();

    // Import.
    void ImportPointFile();
    void ImportDialog();
    void InsertFromImport(int dropIndex);
    RECT GetMainListRect() const { return pointList.Self().WindowRect(); }

    // Map bridge.
    void RegisterBridgeMessages();
    void SendCommand(bridge::Name command, const std::string& text);
    int LaunchBridge();
    // True while the bridge process started last is running.
    bool BridgeRunning() const;
    // Asks the bridge to close and waits for it, at most `milliseconds`; a bridge that does not end
    // in time is terminated.
    void CloseBridge(DWORD milliseconds);
    static constexpr DWORD kBridgeCloseWait = 5000;

    // Map commands.
    void ShowPointsOnMap();
    void CapturePosition();
    void ShowDialogPointOnMap(PointEditDialog& dialog);
    void SelectMapObject();

    win::Prompts& Prompter() { return *prompts; }

    // Whether the first size notification of the process has been seen.
    static bool layoutReady;

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;

private:
    void ShowMessage(const std::string& text) override;  // MessageSink for loading and saving
    void BuildMarkImages();
    void LayOutCurrentView();
    void AlignButtonColumn();

    // Message and command handlers.
    void IgnoreEnter() {}
    void OnAppExit();
    void OnAbout();
    LRESULT OnListBeginDrag(NMHDR* header);
    LRESULT OnImportBeginDrag(NMHDR* header);
    LRESULT OnColumnClick(NMHDR*) { return 0; }
    LRESULT OnPointDoubleClick(NMHDR*);
    LRESULT OnPointClick(NMHDR*);
    LRESULT OnListContextMenu(WPARAM window, LPARAM point);
    LRESULT OnDropFiles(WPARAM drop, LPARAM);
    void OnSize(WPARAM type, LPARAM size);
    LRESULT OnSizing(WPARAM edge, LPARAM rect);
    LRESULT OnCtlColorDialog(WPARAM dc, LPARAM window);
    bool OnPaint(WPARAM, LPARAM, LRESULT& result);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(appIcon); }
    void OnDestroy(WPARAM, LPARAM);

    LRESULT OnBridgeMarkReady(WPARAM, LPARAM);
    LRESULT OnBridgeReply(WPARAM subCommand, LPARAM character);
    // Launches the bridge when it was never started or has ended since.
    void EnsureBridge();

    // Asks about unsaved changes before the list is replaced or the window closes. Returns true
    // when the caller may go on (saved, empty, or discarded), false when the user cancelled or the
    // save did not happen.
    bool ResolveUnsavedChanges();
    void ApplyFileName(const std::string& name);
    std::string CurrentFolder() const;

    std::unique_ptr<win::Prompts> ownPrompts;
    win::Prompts* prompts;
    HICON smallAppIcon = nullptr;
    int statusHeight = 0;
};

}  // namespace vondrel
