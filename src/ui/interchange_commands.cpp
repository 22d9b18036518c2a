// The list in other programs' formats: ファイル > エクスポート writes the list, or the selected
// points, as GPX 1.1, KML 2.2, CSV or GeoJSON on WGS 84; and the import pane's choice of the datum of
// CSV files, kept in the program's settings.
#include "editing/file_state.h"
#include "editing/main_texts.h"
#include "files/file_errors.h"
#include "formats/point_files.h"
#include "formats/point_rows.h"
#include "resource.h"
#include "ui/main_dialog.h"
#include "win/controls.h"

namespace vondrel {

namespace {
constexpr char kExportFilter[] = "GPX ファイル (*.gpx)|*.gpx|KML ファイル (*.kml)|*.kml|CSV ファイル (*.csv)|*.csv|GeoJSON ファイル (*.geojson)|*.geojson||";
// The export dialog's file types in the filter's order (the dialog counts them from 1).
struct ExportType {
    formats::Format format;
    const char* extension;
};
constexpr ExportType kExportTypes[] = {{formats::Format::Gpx, "gpx"},
                                      {formats::Format::Kml, "kml"},
                                      {formats::Format::Csv, "csv"},
                                      {formats::Format::GeoJson, "geojson"}};
constexpr int kExportTypeCount = static_cast<int>(sizeof kExportTypes / sizeof kExportTypes[0]);

// Settings values: the file type exported last (1 to 4), and the datum of CSV files (0 WGS 84, 1 Tokyo).
constexpr char kExportTypeValue[] = "ExportType";
constexpr char kCsvDatumValue[] = "ImportCsvDatum";
// The datum choice's entries: WGS 84 first, then Tokyo.
constexpr const char* kDatumEntries[] = {"CSV の座標: 世界測地系 (WGS 84)", "CSV の座標: 日本測地系 (旧測地系)"};

int ExportTypeOf(formats::Format format) {
    for (int i = 0; i < kExportTypeCount; ++i) {
        if (kExportTypes[i].format == format) return i + 1;
    }
    return 0;
}
}  // namespace

void MainDialog::ExportPoints() {
    if (document.Count() == 0) {
        prompts->ShowMessage(Hwnd(), "エクスポートする地点がありません。", MB_OK);
        return;
    }
    // Several selected rows are exported alone, else the whole list.
    std::vector<int> rows = SelectedRows();
    if (rows.size() < 2) rows.clear();

    int type = static_cast<int>(Settings().ReadDwordValue(kExportTypeValue));
    if (type < 1 || type > kExportTypeCount) type = 1;
    win::FileDialogOptions options;
    options.save = true;
    options.confirmOverwrite = true;
    options.filter = kExportFilter;
    options.title = "エクスポート";
    options.filterIndex = type;
    options.defaultExtension = kExportTypes[type - 1].extension;  // the dialog takes the chosen type's
    options.initialFolder = DialogFolder(exportDirectory.empty() ? document.Folder() : exportDirectory);
    if (!document.FileName().empty()) options.initialName = document.FileName().stem();
    win::FileChoice chosen;
    if (!prompts->ChooseFile(Hwnd(), options, chosen)) return;
    exportDirectory = DriveAndFolder(chosen.path);

    // A name with an export extension is written in that format; any other in the chosen type's.
    formats::Format format = formats::ExportFormatOf(chosen.path);
    if (format == formats::Format::None) {
        const int index = chosen.filterIndex >= 1 && chosen.filterIndex <= kExportTypeCount ? chosen.filterIndex : type;
        format = kExportTypes[index - 1].format;
    }
    Settings().WriteDwordValue(kExportTypeValue, static_cast<std::uint32_t>(ExportTypeOf(format)));
    // Points without a position are left out: other programs' files hold none such.
    const std::vector<formats::FormatPoint> points = formats::TablePoints(document.Points(), rows);
    if (points.empty()) {
        prompts->ShowMessage(Hwnd(), "位置のある地点がないため、エクスポートしませんでした。", MB_OK);
        return;
    }
    const os::WriteResult written = formats::WritePointFile(chosen.path, points, format, formats::Datum::Wgs84);
    if (!written.Ok()) {
        ShowMessage(FileErrorMessage(written.cause, written.subject));
        return;
    }
    // Until the status bar is next rewritten, its first pane tells what was written where.
    statusBar.SetPaneText(0, ExportedText(static_cast<int>(points.size()), os::DisplayPath(chosen.path), !rows.empty()));
}

void MainDialog::SetUpImportDatumChoice() {
    const win::ComboBox choice(Item(IDC_MAIN_IMPORT_DATUM).Hwnd());
    for (const char* entry : kDatumEntries) choice.Add(entry);
    const bool tokyo = Settings().ReadDwordValue(kCsvDatumValue) == 1;
    choice.Select(tokyo ? 1 : 0);
    pointImport.SetCsvDatum(tokyo ? formats::Datum::Tokyo : formats::Datum::Wgs84);
}

void MainDialog::OnImportDatumChosen() {
    const bool tokyo = win::ComboBox(Item(IDC_MAIN_IMPORT_DATUM).Hwnd()).Selection() == 1;
    Settings().WriteDwordValue(kCsvDatumValue, tokyo ? 1 : 0);
    pointImport.SetCsvDatum(tokyo ? formats::Datum::Tokyo : formats::Datum::Wgs84);
}

}  // namespace vondrel
