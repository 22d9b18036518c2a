// PointDocument: the edited point list as a whole: its table, the file it belongs to, whether
// it has unsaved changes, every operation that changes it, and the undo history of those
// operations. The main window asks and calls; it never changes the table itself. Each change is
// one user action and one undo step: it takes plain data (fields, row numbers) and the list's
// selection before it, and gives back the selection after it, or nothing when nothing changed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/limits.h"
#include "core/point_table.h"
#include "editing/batch_edits.h"
#include "editing/edit_history.h"
#include "editing/point_order.h"
#include "editing/readings.h"
#include "editing/selection.h"
#include "files/glorie_file.h"
#include "files/message_sink.h"
#include "os/path.h"

namespace vondrel {

// What ApplyFields does with the row: change the point there, or add a new one before it.
enum class EditMode { Change, Add };

class PointDocument {
public:
    const PointTable& Points() const { return table; }
    int Count() const { return table.GetCount(); }
    // Unsaved changes: the list differs from what was last loaded or saved (undoing back to that
    // state makes it unmodified again).
    bool IsModified() const { return !history.AtSavedState(); }

    // The file: the name as given (shown in the status bar), the path Save writes to (empty
    // while the list is untitled, i.e. the name does not end in .xml), and the folder the file
    // dialogs start in. Paths in the system's own form.
    const os::Path& FileName() const { return fileName; }
    const os::Path& FilePath() const { return filePath; }
    const os::Path& Folder() const { return folder; }
    // A new file name; a name without a folder takes `currentDirectory` as its folder.
    void SetFileName(const os::Path& name, const os::Path& currentDirectory);
    void SetFolder(const os::Path& newFolder) { folder = newFolder; }

    // An empty, untitled and unmodified list whose dialogs start in `newFolder`; no history.
    void New(const os::Path& newFolder);
    // Reads `name`, replacing the points, and takes it as the file name: Done, and the list is
    // unmodified with no history; or Failed (shown through `messages`), and everything stays as
    // it was: the points, the name, the folder, the unsaved state and the history. The name is
    // taken only once the file is read, so Save can never write over a file that could not be read.
    FileOutcome Open(const os::Path& name, const os::Path& currentDirectory, MessageSink& messages);
    // Writes the points to `path`: Done when written (the list is then unmodified),
    // NothingToSave when there are no points (nothing is written), Failed when the write failed
    // (shown).
    FileOutcome Save(const os::Path& path, MessageSink& messages);
    // What a save to `path` would lose when that is the file the list was read from and the read
    // left something out (points past 700, texts cut, characters replaced): lines to tell the
    // user; empty otherwise, and once the list has been written over that file.
    std::string UnreadOnSaveTo(const os::Path& path) const;

    // Whether another point fits: Add, the import and the map all stop at the table's 700.
    bool CanAddPoint() const { return Count() < kTableRows; }

    // The fields of a point, as the edit dialog shows them.
    PointFields Fields(int row) const { return table.Fields(row); }

    // Change: writes each field that differs from what Fields(row) gives now (so a coordinate
    // the user did not touch keeps its stored decimal text); the selection stays. Add: inserts a
    // blank point before `row` (at most Count()) and writes the fields the same way; the new
    // point is selected. Nothing when the table is full.
    std::optional<Selection> ApplyFields(EditMode mode, int row, const PointFields& fields, const Selection& before);
    // Deletes the selected points. Each row that takes the place of a deleted block is selected
    // (the last of them focused); when none does, the new last row.
    std::optional<Selection> DeleteSelected(const Selection& before);
    // Moves the point at `from` to just before the point at `to` (to the end for Count()); the
    // selection moves with the points.
    std::optional<Selection> Move(int from, int to, const Selection& before);
    // Moves every selected point one place up (-1) or down (+1); nothing when the first selected
    // point is already at the top (or the last at the bottom).
    std::optional<Selection> MoveSelected(int direction, const Selection& before);
    // Inserts copies of `source`'s points `rows` before row `at`, in that order. Every field is
    // copied through its display form, as if typed, so the edited list's rules apply (a name is
    // cut to 16 bytes). Stops when the table is full; the inserted points are selected.
    std::optional<Selection> InsertCopies(int at, const PointTable& source, const std::vector<int>& rows,
                                          const Selection& before);
    // Appends a point "新しいポイント" at a position taken from the map (display forms) and
    // selects it; nothing when the table is full.
    std::optional<Selection> AddCapturedPosition(const std::string& lonDms, const std::string& latDms,
                                                 const Selection& before);
    // Sets the fields `change` lists on every selected point (batch_edits.cpp); the selection
    // stays. Nothing when no point changes.
    std::optional<Selection> ChangeSelected(const BatchChange& change, const Selection& before);
    // Replaces the search text in the names and/or readings of the request's rows, names cut to
    // the stored 16 bytes (PreviewReplace tells what will change); the selection stays.
    std::optional<Selection> Replace(const ReplaceRequest& request, const Selection& before);
    // Sorts the points by a column (see SortedOrder); the selected points stay selected. Nothing
    // when the order does not change.
    std::optional<Selection> Sort(SortColumn column, bool descending, const Selection& before);

    // Gives each row its reading (StoredReading of the text given) where that differs from the
    // one it has: one step; the selection stays. Nothing when no reading changes (readings.cpp).
    std::optional<Selection> SetReadings(const std::vector<RowReading>& readings, const Selection& before);

    // Takes back the last step / makes the step taken back again; the selection to show.
    bool CanUndo() const { return history.CanUndo(); }
    bool CanRedo() const { return history.CanRedo(); }
    std::optional<Selection> Undo();
    std::optional<Selection> Redo();
    const EditHistory& History() const { return history; }

private:
    // Records a finished step with its selections and returns the selection after it.
    Selection Record(EditStep step, const Selection& before, const Selection& after);

    PointTable table;
    EditHistory history;
    os::Path fileName;
    os::Path filePath;
    os::Path folder;
    os::Path readFrom;   // the file the points were read from
    std::string unread;  // what that file holds beyond the list (see UnreadOnSaveTo)
};

}  // namespace vondrel
