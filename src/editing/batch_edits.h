// Changes to many points in one step: chosen fields set on every selected point, and a text
// replaced in names and readings. The rules and the dialogs' texts, portable; the steps
// themselves are PointDocument's (ChangeSelected, Replace).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/point_fields.h"
#include "core/point_table.h"

namespace vondrel {

// A batch change: the fields listed in `fields` take their shown forms from `values`; every
// other field of a point stays as it is.
struct BatchChange {
    PointFields values;
    std::vector<Field> fields;
};

// Sets the listed fields of `change` in `point` (shown forms).
void ApplyBatch(PointFields& point, const BatchChange& change);

// Where a replacement looks.
enum class ReplaceIn { Name, Reading, Both };

struct ReplaceRequest {
    std::string search;       // code page 932; matched as Find matches (width, kana kind, letter case ignored)
    std::string replacement;  // code page 932; put in as typed
    ReplaceIn in = ReplaceIn::Name;
    std::vector<int> rows;    // the points looked at
};

// `text` with each occurrence of `search` replaced, from the left and never overlapping; an
// occurrence is a run of whole characters whose match key equals that of `search`. `text`
// itself when `search` has an empty key.
std::string ReplaceMatches(std::string_view text, std::string_view search, std::string_view replacement);

// The shown fields of the point at `row` after the replacement (the name as typed, before the
// table shortens it).
PointFields ReplacedFields(const PointTable& points, int row, const ReplaceRequest& request);

// What a replacement would do: the rows whose stored point changes, and among them those whose
// new name is longer than a stored name and so is shortened.
struct ReplacePreview {
    std::vector<int> changed;
    std::vector<int> shortened;
};
ReplacePreview PreviewReplace(const PointTable& points, const ReplaceRequest& request);

// The dialogs' texts (code page 932): what the batch change will change, what the replacement
// will change, and one line for a shortened name ("12行: before → stored").
std::string BatchCountText(int count);
std::string ReplaceCountText(const ReplacePreview& preview, int searched, bool selectionOnly);
std::string ShortenedLine(const PointTable& points, int row, const ReplaceRequest& request);

}  // namespace vondrel
