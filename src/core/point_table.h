// The fixed table of 700 point slots with its count, and the rules by which each field is
// stored. Points only: files, messages and the unsaved-changes state belong to the layers above.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/limits.h"

namespace vondrel {

// One slot. All texts are code page 932 bytes.
struct PointRecord {
    std::int16_t slot = -1;      // -1: empty slot; any other value: the slot holds a point
    std::string name;            // glorie nb
    std::string reading;         // glorie rt
    std::string lon;             // decimal degrees east, Tokyo datum
    std::string lat;             // decimal degrees north, Tokyo datum
    std::string mark = "00";     // two uppercase hexadecimal digits
    std::string tel;
    std::string sound = "0";     // glorie optional-media id
    std::string outmost = "500"; // kept as read, never shown or written
    std::string dcenter;         // direction centre in whole degrees
    std::int32_t directionOn = 0;

    // Every field back to its default; `slot` is left to the caller.
    void ClearFields();
};

// The used rows are always rows 0 to GetCount() - 1; the fields of the other rows mean nothing.
class PointTable {
public:
    PointTable();

    // Every row empty again.
    void Reset();
    bool IsUsed(int index) const { return rows[static_cast<std::size_t>(index)].slot != -1; }
    int UsedCount() const;
    int GetCount() const { return count; }

    // Fields as the lists and the edit dialog show them (coordinates in display form, the mark
    // as a decimal number), and as they are stored from those forms.
    void GetName(std::string& out, int index) const { out = Row(index).name; }
    void SetName(const std::string& value, int index);
    void GetReading(std::string& out, int index) const { out = Row(index).reading; }
    void SetReading(const std::string& value, int index) { At(index).reading = value; }
    void GetLonDms(std::string& out, int index) const;
    void GetLatDms(std::string& out, int index) const;
    void SetLon(const std::string& value, int index);
    void SetLat(const std::string& value, int index);
    void GetTel(std::string& out, int index) const { out = Row(index).tel; }
    void SetTel(const std::string& value, int index) { At(index).tel = value; }
    void GetSound(std::string& out, int index) const { out = Row(index).sound; }
    void SetSound(const std::string& value, int index) { At(index).sound = value; }
    void GetDcenter(std::string& out, int index) const { out = Row(index).dcenter; }
    void SetDcenter(const std::string& value, int index) { At(index).dcenter = value; }
    void GetMark(std::string& out, int index) const;
    void SetMark(const std::string& value, int index);
    int GetDirectionOn(int index) const { return Row(index).directionOn; }
    void SetDirectionOn(int value, int index) { At(index).directionOn = value; }

    // A blank point before row `pos` (after the last point when `pos` is beyond it): 1, or -1
    // when the table is full or `pos` is outside the table.
    int InsertBlank(int pos);
    void CopyRow(int to, int from);
    // Removes the point at `index` (nothing when the row is empty); returns 0.
    int DeleteRow(int index);
    // Moves the point at `from` to just before the point at `to` (to the end for the count).
    void MoveRow(int to, int from);

    // Exact copies of whole points, for undoing and redoing changes: a copy of `point` inserted
    // before row `pos` (at most GetCount(); false when the table is full), and a point put back
    // over the used row `index`.
    bool InsertPoint(int pos, const PointRecord& point);
    void SetPoint(int index, const PointRecord& point);
    // Puts the points in a new order: row i then holds the point that was at row order[i]
    // (`order` is a permutation of 0 ... GetCount() - 1).
    void Reorder(const std::vector<int>& order);

    // Appends a copy of a finished point as the next row: how a reader fills a table. Returns
    // false (the table unchanged) when the table is full. The copy goes into the slot's own
    // buffers, so refilling a table allocates nothing once its texts have had their sizes.
    bool Append(const PointRecord& point);
    // The row after the last point, made a point (its slot set, the count raised), for a reader
    // that sets every field in place; nullptr when the table is full. Its texts keep their
    // buffers, so refilling a table allocates nothing once its texts have had their sizes.
    PointRecord* NextRow();

    // Exchanges the whole contents (rows and count) with `other` in constant time.
    void Swap(PointTable& other);

    // Removes spaces and tabs at the start of the element texts of the used rows (name,
    // reading, coordinates, outer radius), which a reader drops after a tag.
    void TrimLeadingBlanks();

    // Cuts every text of the used rows to at most `maxBytes` bytes at a character boundary;
    // returns the rows that had a longer one.
    std::vector<int> CapTexts(std::size_t maxBytes);

    // A whole row, read-only: for the writer, the command-line tool and tests.
    const PointRecord& Row(int index) const { return rows[static_cast<std::size_t>(index)]; }

private:
    PointRecord& At(int index) { return rows[static_cast<std::size_t>(index)]; }

    std::int32_t count = 0;
    // On the heap, so that Swap exchanges two pointers rather than 700 rows of texts.
    std::vector<PointRecord> rows;
};

// Mark text helpers shared with the dialogs: decimal text to the stored two hexadecimal
// digits, and the stored text back to "%02d".
std::string MarkDecimalToHex(const std::string& decimal);
std::string MarkHexToDecimal(const std::string& hex);

// The name as SetName stores it: at most 16 bytes, never ending inside a double-byte character.
std::string ShortenName(const std::string& name);

}  // namespace vondrel
