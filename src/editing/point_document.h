// PointDocument: the edited point list as a whole: its table, the file it belongs to, whether
// it has unsaved changes, and every operation that changes it. The main window asks and calls;
// it never changes the table itself. Each change takes and gives plain data (fields, row
// numbers) and passes through Changed(), the one place where an undo history can hook in.
#pragma once

#include <string>
#include <vector>

#include "core/limits.h"
#include "core/point_table.h"
#include "editing/point_fields.h"
#include "files/message_sink.h"
#include "os/path.h"

namespace vondrel {

// What ApplyFields does with the row: change the point there, or add a new one before it.
enum class EditMode { Change, Add };

class PointDocument {
public:
    const PointTable& Points() const { return table; }
    int Count() const { return table.GetCount(); }
    bool IsModified() const { return modified; }

    // The file: the name as given (shown in the status bar), the path Save writes to (empty
    // while the list is untitled, i.e. the name does not end in .xml), and the folder the file
    // dialogs start in. Paths in the system's own form.
    const os::Path& FileName() const { return fileName; }
    const os::Path& FilePath() const { return filePath; }
    const os::Path& Folder() const { return folder; }
    // A new file name; a name without a folder takes `currentDirectory` as its folder.
    void SetFileName(const os::Path& name, const os::Path& currentDirectory);
    void SetFolder(const os::Path& newFolder) { folder = newFolder; }

    // Reads `name`, replacing the points, and takes it as the file name: 0, and the list is
    // unmodified; or -1 (shown through `messages`), and everything stays as it was: the points,
    // the name, the folder and the unsaved state. The name is taken only once the file is read,
    // so Save can never write over a file that could not be read.
    int Open(const os::Path& name, const os::Path& currentDirectory, MessageSink& messages);
    // Writes the points to `path`: 0 when written (the list is then unmodified), 1 when there
    // are no points to write (nothing is written), -1 when the write failed (shown).
    int Save(const os::Path& path, MessageSink& messages);

    // Whether another point may be added by the Add command, or from the map.
    bool CanAddPoint() const { return Count() < kAddedPointLimit; }
    bool CanAddCapturedPoint() const { return Count() < kCapturedPointLimit; }

    // The fields of a point, as the edit dialog shows them.
    PointFields Fields(int row) const { return FieldsOf(table, row); }

    // The operations below return whether the list changed; any change marks it modified.

    // Change: writes each field that differs from what Fields(row) gives now (so a coordinate
    // the user did not touch keeps its stored decimal text). Add: inserts a blank point before
    // `row` (at most Count()) and writes the fields the same way; false when the table is full.
    bool ApplyFields(EditMode mode, int row, const PointFields& fields);
    // Deletes the points at `rows` (row numbers before the deletion, in any order).
    bool DeleteRows(std::vector<int> rows);
    // Moves the point at `from` to just before the point at `to` (to the end for Count()).
    bool Move(int from, int to);
    // Inserts copies of `source`'s points `rows`, in that order, each before row `at`, so they
    // end up in reverse order. Every field is copied through its display form, as if typed, so
    // the edited list's rules apply (a name is cut to 16 bytes). Stops when the table is full;
    // returns the number inserted.
    int InsertCopies(int at, const PointTable& source, const std::vector<int>& rows);
    // Appends a point "新しいポイント" at a position taken from the map (display forms); returns
    // its row, or -1 when the table is full.
    int AddCapturedPosition(const std::string& lonDms, const std::string& latDms);

private:
    void WriteFields(int row, const PointFields& fields);
    void Changed() { modified = true; }

    PointTable table;
    bool modified = false;
    os::Path fileName;
    os::Path filePath;
    os::Path folder;
};

}  // namespace vondrel
