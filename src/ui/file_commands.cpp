// File commands of the main window: open, save, save as, files dropped on the window, the
// unsaved-changes prompt, and the import of points from another file.
#include "resource.h"
#include "win/dropped_files.h"
#include "os/file_io.h"
#include "editing/file_state.h"
#include "ui/main_dialog.h"
#include "editing/main_texts.h"

namespace vondrel {

namespace {
constexpr char kOpenFilter[] = "XML ファイル(*.xml)|*.xml|すべてのファイル (*.*)|*.*||";
constexpr char kSaveFilter[] = "XML ファイル (*.xml)|*.xml|すべてのファイル (*.*)|*.*||";
constexpr char kImportFilter[] = "地点ファイル ( *.xml)|*.xml|すべてのファイル (*.*)|*.*||";

win::FileDialogOptions Options(bool save, bool confirmOverwrite, const char* filter, const std::string& folder) {
    win::FileDialogOptions options;
    options.save = save;
    options.confirmOverwrite = confirmOverwrite;
    options.filter = filter;
    options.defaultExtension = "xml";
    options.initialFolder = folder;
    return options;
}
}  // namespace

int MainDialog::SaveToPath(const std::string& path) {
    if (pointTable.UsedCount() == 0) return 1;  // a list without points is never written
    if (pointTable.Save(path) != 0) return -1;  // the writer has shown its message
    pointTable.SetModified(0);
    return 0;
}

void MainDialog::ApplyFileName(const std::string& name) {
    fileName = name;
    NormalizePath(fileName);
}

bool MainDialog::ResolveUnsavedChanges() {
    if (pointTable.IsModified() != 1) return true;
    const int answer = prompts->ShowMessage(Hwnd(), ConfirmSaveText(!filePath.empty(), fileName), MB_YESNOCANCEL);
    if (answer == IDNO) return true;
    if (answer != IDYES) return false;
    if (!filePath.empty()) return SaveToPath(filePath) >= 0;
    // Untitled: the list is safe once written, or when it has no points to lose.
    return SaveAsDialog() || pointTable.UsedCount() == 0;
}

void MainDialog::OpenPointFile() {
    if (!ResolveUnsavedChanges()) return;
    std::string chosen;
    if (!prompts->ChooseFile(Hwnd(), Options(false, false, kOpenFilter, fileDirectory), chosen)) return;
    ApplyFileName(chosen);
    LoadMainTable(fileName);
    RefreshPointList();
}

void MainDialog::SavePointFile() {
    if (pointTable.IsModified() != 1) return;
    if (!filePath.empty()) {
        SaveToPath(filePath);
        return;
    }
    std::string chosen;
    if (!prompts->ChooseFile(Hwnd(), Options(true, false, kSaveFilter, fileDirectory), chosen)) return;
    ApplyFileName(chosen);
    fileDirectory = DriveAndFolder(chosen);
    SaveToPath(filePath);
}

bool MainDialog::SaveAsDialog() {
    std::string chosen;
    if (!prompts->ChooseFile(Hwnd(), Options(true, true, kSaveFilter, fileDirectory), chosen)) return false;
    ApplyFileName(chosen);
    return SaveToPath(filePath) == 0;
}

LRESULT MainDialog::OnDropFiles(WPARAM dropParam, LPARAM) {
    win::DroppedFiles drop(reinterpret_cast<HDROP>(dropParam));
    std::string dropped;
    for (int i = 0; i < drop.Count(); ++i) {
        const std::string path = drop.Path(i);
        if (!path.empty()) dropped = path;  // the last file of the drop wins
    }
    drop.Finish();
    if (dropped.empty()) return 0;  // a drop without files changes nothing
    if (!ResolveUnsavedChanges()) return 0;
    ApplyFileName(dropped);
    LoadMainTable(fileName);
    RefreshPointList();
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
    std::string chosen;
    if (!prompts->ChooseFile(Hwnd(), Options(false, false, kImportFilter, importDirectory), chosen)) return;
    lastImportPath = chosen;
    importDirectory = DriveAndFolder(chosen);
    importPane.LoadFile(chosen);
}

void MainDialog::InsertFromImport(int dropIndex) {
    Self().UpdateNow();
    const win::ListView list = pointList.List();
    const win::ListView source = importPane.List();
    if (dropIndex < 0) dropIndex = list.Count();
    const PointTable& from = importPane.importTable;
    std::string text;
    for (int n = source.LowestSelectedRow(); n >= 0; n = source.NextSelectedRow(n)) {
        if (pointTable.InsertBlank(dropIndex) != 1) {
            // The table is full: nothing more is inserted, and no row stands without its point.
            prompts->ShowMessage(Hwnd(), PointLimitText(kTableRows), MB_OK);
            break;
        }
        from.GetName(text, n);
        pointTable.SetName(text, dropIndex);
        from.GetLonDms(text, n);
        pointTable.SetLon(text, dropIndex);
        from.GetLatDms(text, n);
        pointTable.SetLat(text, dropIndex);
        from.GetMark(text, n);
        pointTable.SetMark(text, dropIndex);
        from.GetReading(text, n);
        pointTable.SetReading(text, dropIndex);
        from.GetTel(text, n);
        pointTable.SetTel(text, dropIndex);
        from.GetSound(text, n);
        pointTable.SetSound(text, dropIndex);
        from.GetDcenter(text, n);
        pointTable.SetDcenter(text, dropIndex);
        pointTable.SetDirectionOn(from.GetDirectionOn(n), dropIndex);
        PointRowText shown;
        shown.Fill(from, n);
        pointList.InsertRow(shown, dropIndex);
    }
    UpdateStatusBar();
}

}  // namespace vondrel
