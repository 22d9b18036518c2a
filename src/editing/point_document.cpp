// The edited point list: file identity, a new list, loading and saving, undo and redo. The
// operations that change the points are in point_edits.cpp.
#include "editing/point_document.h"

#include "editing/file_state.h"
#include "files/glorie_file.h"

namespace vondrel {

void PointDocument::SetFileName(const os::Path& name, const os::Path& currentDirectory) {
    fileName = name;
    const NormalizedPath normalized = NormalizePath(name, currentDirectory);
    folder = normalized.fileDirectory;
    filePath = normalized.filePath;
}

int PointDocument::Open(const os::Path& name, const os::Path& currentDirectory, MessageSink& messages) {
    if (LoadGlorieFile(name, table, messages) != 0) return -1;
    SetFileName(name, currentDirectory);
    history.Clear();
    return 0;
}

int PointDocument::Save(const os::Path& path, MessageSink& messages) {
    if (table.UsedCount() == 0) return 1;  // a list without points is never written
    if (SaveGlorieFile(path, table, messages) != 0) return -1;
    history.MarkSaved();
    return 0;
}

void PointDocument::New(const os::Path& newFolder) {
    table.Reset();
    history.Clear();
    fileName.clear();
    filePath.clear();
    folder = newFolder;
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
