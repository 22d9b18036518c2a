// The element texts of a glorie file and what each one sets in the point being read: the
// markers that name an element, the value beside them, and the point's texts, held as slices of
// the file's bytes until the point is complete and stored in its row. Used by the scanner.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/point_table.h"
#include "files/point_blocks.h"

namespace vondrel {

// An element text as the scanner hands it over, with what the scanner saw while gathering it,
// so that finding the marker and the value looks at those places only.
struct ElementText {
    std::string_view text;
    const std::size_t* opens = nullptr;  // offsets of every '<' in `text`, ascending
    std::size_t openCount = 0;
    std::size_t firstClose = std::string_view::npos;  // offset of the first '>'
    bool mayHoldEntities = true;  // false when `text` holds no '&'
    bool inInput = false;         // `text` lies in the bytes being scanned (else in a buffer that changes)
};

// Interprets element texts into the point being read and stores each point completed by
// "</gpoi>" in the next row of a table, up to its 700 rows.
class ElementReader {
public:
    explicit ElementReader(PointTable& target);
    ElementReader(const ElementReader&) = delete;
    ElementReader& operator=(const ElementReader&) = delete;

    void Interpret(const ElementText& element);
    // The end of the file: a block cut short keeps what was read of it.
    void Finish();

    // Copies the texts that are still slices of the bytes being scanned, before those go.
    void KeepTexts();

    int CompletedPoints() const { return completed; }
    int DroppedPoints() const { return dropped; }
    // The points of damaged blocks (row, what is wrong), and the blocks themselves.
    const std::vector<DamagedPoint>& DamagedPoints() const { return damaged; }
    const PointBlocks& Blocks() const { return blocks; }

private:
    // A text of the point being read: a slice of the scanned bytes, its own copy, or a constant.
    struct Text {
        std::string_view view;
        std::string own;
        bool inInput = false;
    };

    // `value` as the field's text: decoded, and copied when it lies in a buffer that changes.
    void Set(Field field, std::string_view value, const ElementText& element) {
        if (element.mayHoldEntities || !element.inInput) return SetCopy(field, value, element);
        Text& t = TextOf(field);
        t.view = value;  // the usual case: a slice of the bytes being scanned
        t.inInput = true;
    }
    void SetCopy(Field field, std::string_view value, const ElementText& element);
    // Puts the field's text in the row's own buffer (emptied and appended to: it keeps its
    // capacity, and the text never overlaps it).
    void Store(std::string& out, Field field) {
        out.clear();
        if (!TextOf(field).view.empty()) out.append(TextOf(field).view);
    }
    Text& TextOf(Field field) { return texts[static_cast<std::size_t>(field)]; }
    void SetOwn(Field field, std::string&& value);
    void Keep(PointBlocks::Outcome outcome);
    void CompletePoint();
    void ClearPoint();

    PointTable& table;
    std::array<Text, kFieldCount> texts;
    std::array<std::string_view, kFieldCount> missing;  // what a field holds when its element is missing: the stored default
    int directionOn = 0;
    bool full = false;  // the table takes no more points: later elements are ignored
    int completed = 0;
    int dropped = 0;
    PointBlocks blocks;
    std::vector<DamagedPoint> damaged;
};

}  // namespace vondrel
