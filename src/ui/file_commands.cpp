// File commands of the main window: new, open, save, save as, files dropped on the window, the
// unsaved-changes prompt, and the import of points from another file.
#include "core/limits.h"
#include "editing/file_state.h"
#include "editing/import_source.h"
#include "editing/main_texts.h"
#include "formats/point_rows.h"
#include "os/file_io.h"
#include "resource.h"
#include "ui/main_dialog.h"
#include "win/dropped_files.h"
#include "win/known_folders.h"
#include "win/program_folder.h"

namespace vondrel {

namespace {
constexpr char kOpenFilter[] = "XML ファイル(*.xml)|*.xml|すべてのファイル (*.*)|*.*||";
constexpr char kSaveFilter[] = "XML ファイル (*.xml)|*.xml|すべてのファイル (*.*)|*.*||";

// Every save dialog asks before it replaces a file.
win::FileDialogOptions Options(bool save, const char* filter, const os::Path& folder) {
    win::FileDialogOptions options;
    options.save = save;
    options.confirmOverwrite = save;
    options.filter = filter;
    options.defaultExtension = "xml";
    options.initialFolder = folder;
    return options;
}
}  // namespace

void MainDialog::ApplyFileName(const os::Path& name) { document.SetFileName(name, os::CurrentDirectory()); }

void MainDialog::OpenFile(const os::Path& name) {
    // The name, the list, the status bar and the unsaved state change only when the file was read;
    // what the read has to tell comes once the list shows the points it names.
    HeldMessages messages;
    if (document.Open(name, os::CurrentDirectory(), messages) == FileOutcome::Done) {
        RefreshPointList();
        NoteRecentFile(document.FilePath());
    }
    messages.ShowTo(*this);
}

void MainDialog::NewPointFile() {
    if (!ResolveUnsavedChanges()) return;
    document.New(win::DocumentsFolder());
    RefreshPointList();
}

bool MainDialog::ResolveUnsavedChanges() {
    if (!document.IsModified()) return true;
    const int answer = prompts->ShowMessage(
        Hwnd(), ConfirmSaveText(!document.FilePath().empty(), os::DisplayPath(document.FileName())), MB_YESNOCANCEL);
    if (answer == IDNO) return true;
    if (answer != IDYES || !ConfirmNoPositionSave()) return false;
    if (!document.FilePath().empty()) return SaveTo(document.FilePath()) != FileOutcome::Failed;
    // Untitled: the list is safe once written, or when it has no points to lose.
    return SaveAsDialog() || document.Count() == 0;
}

void MainDialog::OpenPointFile() {
    if (!ResolveUnsavedChanges()) return;
    win::FileChoice chosen;
    if (!prompts->ChooseFile(Hwnd(), Options(false, kOpenFilter, DialogFolder(document.Folder())), chosen)) return;
    OpenFile(chosen.path);
}

void MainDialog::SavePointFile() {
    if (!document.IsModified() || !ConfirmNoPositionSave()) return;
    if (!document.FilePath().empty()) {
        SaveTo(document.FilePath());
        UpdateStatusBar();
        return;
    }
    win::FileChoice chosen;
    if (!prompts->ChooseFile(Hwnd(), Options(true, kSaveFilter, DialogFolder(document.Folder())), chosen)) return;
    ApplyFileName(chosen.path);
    document.SetFolder(DriveAndFolder(chosen.path));
    SaveTo(document.FilePath());
    UpdateStatusBar();
}

bool MainDialog::SaveAsDialog() {
    win::FileDialogOptions options = Options(true, kSaveFilter, DialogFolder(document.Folder()));
    options.initialName = os::FileNameOf(document.FileName());  // the current name, to be changed
    win::FileChoice chosen;
    if (!prompts->ChooseFile(Hwnd(), options, chosen)) return false;
    ApplyFileName(chosen.path);
    const bool saved = SaveTo(document.FilePath()) == FileOutcome::Done;
    UpdateStatusBar();
    return saved;
}

bool MainDialog::ConfirmNoPositionSave() {
    int count = 0;
    for (int i = 0; i < document.Count(); ++i) count += formats::HasNoPosition(document.Points().Row(i)) ? 1 : 0;
    if (count == 0) return true;
    return prompts->ShowMessage(Hwnd(), NoPositionSaveQuestion(count), MB_YESNO | MB_DEFBUTTON2) == IDYES;
}

FileOutcome MainDialog::SaveTo(const os::Path& path) {
    // Over the file the list was read from, when the read left something out: the user chooses
    // another name, the overwrite, or nothing.
    const std::string unread = document.UnreadOnSaveTo(path);
    if (!unread.empty()) {
        const int answer = prompts->ShowMessage(Hwnd(), UnreadOverwriteQuestion(unread), MB_YESNOCANCEL);
        if (answer == IDYES) return SaveAsDialog() ? FileOutcome::Done : FileOutcome::Failed;
        if (answer != IDNO) return FileOutcome::Failed;
    }
    const FileOutcome outcome = document.Save(path, *this);
    if (outcome == FileOutcome::Done) NoteRecentFile(path);
    return outcome;
}

os::Path MainDialog::DialogFolder(const os::Path& lastUsed) const {
    return DialogStartFolder(lastUsed, win::ProgramFolder(), win::DocumentsFolder());
}

LRESULT MainDialog::OnDropFiles(WPARAM dropParam, LPARAM) {
    win::DroppedFiles drop(reinterpret_cast<HDROP>(dropParam));
    const os::Path dropped = drop.LastPath();
    drop.Finish();
    if (dropped.empty()) return 0;  // a drop without files changes nothing
    // Another program's file is no point list to open: the import pane reads it, the list stays.
    if (IsOtherProgramsFile(dropped)) {
        ShowImportView();
        pointImport.Load(dropped);
        return 0;
    }
    if (!ResolveUnsavedChanges()) return 0;
    OpenFile(dropped);
    return 0;
}

void MainDialog::ConfirmClose() {
    // The window closes only when nothing would be lost: after Yes, the list must have been written
    // (or have no points); a cancelled dialog or a failed write keeps it open.
    if (ResolveUnsavedChanges()) End(IDCANCEL);
}

void MainDialog::ImportPointFile() {
    ShowImportView();
    ImportDialog();
}

void MainDialog::ImportDialog() {
    win::FileDialogOptions options =
        Options(false, ImportFilter().c_str(), DialogFolder(importDirectory.empty() ? document.Folder() : importDirectory));
    options.title = "インポート";
    win::FileChoice chosen;
    if (!prompts->ChooseFile(Hwnd(), options, chosen)) return;
    importDirectory = DriveAndFolder(chosen.path);
    pointImport.Load(chosen.path);
}

void MainDialog::InsertFromImport(int dropIndex) {
    Self().UpdateNow();
    if (dropIndex < 0) dropIndex = document.Count();
    const std::vector<int> rows = importPane.SelectedRows();
    const int before = document.Count();
    if (const auto after = document.InsertCopies(dropIndex, pointImport.Points(), rows, ListSelection())) ShowDocument(*after);
    // The table is full: what fitted was inserted, and the user is told about the rest.
    if (document.Count() - before < static_cast<int>(rows.size())) {
        prompts->ShowMessage(Hwnd(), PointLimitText(kTableRows), MB_OK);
    }
}

LRESULT MainDialog::OnImportRead(WPARAM number, LPARAM) {
    pointImport.OnRead(number);
    return 0;
}

bool MainDialog::OnTimer(WPARAM id, LPARAM, LRESULT& result) {
    if (id != ImportReading::kProgressTimer) return false;
    pointImport.OnProgressTimer();
    result = 0;
    return true;
}

}  // namespace vondrel
