// The edited point list: file identity, loading and saving, and the operations that change it.
#include "editing/point_document.h"

#include <algorithm>

#include "editing/drag_rules.h"
#include "editing/file_state.h"
#include "files/glorie_file.h"

namespace vondrel {

namespace {
constexpr char kCapturedPointName[] = "新しいポイント";
}  // namespace

void PointDocument::SetFileName(const os::Path& name, const os::Path& currentDirectory) {
    fileName = name;
    const NormalizedPath normalized = NormalizePath(name, currentDirectory);
    folder = normalized.fileDirectory;
    filePath = normalized.filePath;
}

int PointDocument::Open(const os::Path& name, const os::Path& currentDirectory, MessageSink& messages) {
    if (LoadGlorieFile(name, table, messages) != 0) return -1;
    SetFileName(name, currentDirectory);
    modified = false;
    return 0;
}

int PointDocument::Save(const os::Path& path, MessageSink& messages) {
    if (table.UsedCount() == 0) return 1;  // a list without points is never written
    if (SaveGlorieFile(path, table, messages) != 0) return -1;
    modified = false;
    return 0;
}

bool PointDocument::ApplyFields(EditMode mode, int row, const PointFields& edited) {
    if (mode == EditMode::Add) {
        row = std::min(row, Count());
        if (table.InsertBlank(row) != 1) return false;
    }
    bool changed = mode == EditMode::Add;
    std::string current;
    auto update = [&](const std::string& value, void (PointTable::*get)(std::string&, int) const,
                      void (PointTable::*set)(const std::string&, int)) {
        (table.*get)(current, row);
        if (value != current) {
            (table.*set)(value, row);
            changed = true;
        }
    };
    update(edited.name, &PointTable::GetName, &PointTable::SetName);
    update(edited.lon, &PointTable::GetLonDms, &PointTable::SetLon);
    update(edited.lat, &PointTable::GetLatDms, &PointTable::SetLat);
    update(edited.mark, &PointTable::GetMark, &PointTable::SetMark);
    update(edited.reading, &PointTable::GetReading, &PointTable::SetReading);
    update(edited.tel, &PointTable::GetTel, &PointTable::SetTel);
    update(edited.sound, &PointTable::GetSound, &PointTable::SetSound);
    if (edited.directionOn != table.GetDirectionOn(row)) {
        table.SetDirectionOn(edited.directionOn, row);
        changed = true;
    }
    update(edited.dcenter, &PointTable::GetDcenter, &PointTable::SetDcenter);
    if (changed) Changed();
    return changed;
}

bool PointDocument::DeleteRows(std::vector<int> rows) {
    // From the last to the first, so that each row number still names its point.
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    bool changed = false;
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        if (*row < 0 || *row >= kTableRows || !table.IsUsed(*row)) continue;
        table.DeleteRow(*row);
        changed = true;
    }
    if (changed) Changed();
    return changed;
}

bool PointDocument::Move(int from, int to) {
    if (MoveChangesNothing(from, to) || from < 0 || from >= Count() || to < 0) return false;
    table.MoveRow(to, from);
    Changed();
    return true;
}

void PointDocument::WriteFields(int row, const PointFields& fields) {
    table.SetName(fields.name, row);
    table.SetLon(fields.lon, row);
    table.SetLat(fields.lat, row);
    table.SetMark(fields.mark, row);
    table.SetReading(fields.reading, row);
    table.SetTel(fields.tel, row);
    table.SetSound(fields.sound, row);
    table.SetDcenter(fields.dcenter, row);
    table.SetDirectionOn(fields.directionOn, row);
}

int PointDocument::InsertCopies(int at, const PointTable& source, const std::vector<int>& rows) {
    at = std::clamp(at, 0, Count());
    int inserted = 0;
    for (int row : rows) {
        if (table.InsertBlank(at) != 1) break;  // full: no row stands without its point
        WriteFields(at, FieldsOf(source, row));
        ++inserted;
    }
    if (inserted > 0) Changed();
    return inserted;
}

int PointDocument::AddCapturedPosition(const std::string& lonDms, const std::string& latDms) {
    const int row = Count();
    if (table.InsertBlank(row) != 1) return -1;
    table.SetName(kCapturedPointName, row);
    table.SetLon(lonDms, row);
    table.SetLat(latDms, row);
    Changed();
    return row;
}

}  // namespace vondrel
