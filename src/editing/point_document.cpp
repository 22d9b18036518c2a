// The edited point list: file identity, a new list, loading and saving, undo and redo. The
// operations that change the points are in point_edits.cpp.
#include "editing/point_document.h"

#include "editing/file_state.h"
#include "files/glorie_file.h"
#include "os/file_io.h"

namespace vondrel {

void PointDocument::SetFileName(const os::Path& name, const os::Path& currentDirectory) {
    fileName = name;
    const NormalizedPath normalized = NormalizePath(name, currentDirectory);
    folder = normalized.fileDirectory;
    filePath = normalized.filePath;
}

FileOutcome PointDocument::Open(const os::Path& name, const os::Path& currentDirectory, MessageSink& messages) {
    LoadReport report;
    if (LoadGlorieFile(name, table, messages, &report) != FileOutcome::Done) return FileOutcome::Failed;
    SetFileName(name, currentDirectory);
    history.Clear();
    readFrom = name;
    unread = UnreadText(report);
    return FileOutcome::Done;
}

FileOutcome PointDocument::Save(const os::Path& path, MessageSink& messages) {
    if (table.UsedCount() == 0) return FileOutcome::NothingToSave;
    const bool overRead = !unread.empty() && os::SameFile(path, readFrom);
    if (SaveGlorieFile(path, table, messages) != FileOutcome::Done) return FileOutcome::Failed;
    history.MarkSaved();
    if (overRead) unread.clear();  // the file now holds the list, nothing more
    return FileOutcome::Done;
}

std::string PointDocument::UnreadOnSaveTo(const os::Path& path) const {
    return !unread.empty() && os::SameFile(path, readFrom) ? unread : std::string();
}

void PointDocument::New(const os::Path& newFolder) {
    table.Reset();
    history.Clear();
    fileName.clear();
    filePath.clear();
    folder = newFolder;
    readFrom.clear();
    unread.clear();
}

std::optional<Selection> PointDocument::Undo() {
    const EditStep* step = history.Undo(table);
    if (!step) return std::nullopt;
    return step->before;
}

std::optional<Selection> PointDocument::Redo() {
    const EditStep* step = history.Redo(table);
    if (!step) return std::nullopt;
    return step->after;
}

}  // namespace vondrel
