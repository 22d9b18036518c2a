// Batch changes and replacements: the rules, the texts, and PointDocument's two steps.
#include "editing/batch_edits.h"

#include "core/cp932.h"
#include "core/text_fold.h"
#include "editing/point_document.h"

namespace vondrel {

void ApplyBatch(PointFields& point, const BatchChange& change) {
    for (Field id : change.fields) {
        ForEachField([&](const auto& entry) {
            if (entry.id == id && entry.shown) point.*entry.shown = change.values.*entry.shown;
        });
    }
}

std::string ReplaceMatches(std::string_view text, std::string_view search, std::string_view replacement) {
    const std::string needle = text_fold::MatchKey(search);
    if (needle.empty()) return std::string(text);
    std::vector<std::size_t> sources;
    const std::string key = text_fold::MatchKey(text, sources);
    std::string out;
    std::size_t copied = 0;  // text up to here is in `out`
    for (std::size_t at = cp932::Find(key, needle); at != std::string::npos;) {
        // Each character of the key comes from whole characters of the text, so a match of whole
        // key characters maps back onto whole characters.
        const std::size_t end = at + needle.size();
        const std::size_t from = sources[at];
        const std::size_t to = end < key.size() ? sources[end] : text.size();
        out.append(text.substr(copied, from - copied)).append(replacement);
        copied = to;
        at = end < key.size() ? cp932::Find(key, needle, end) : std::string::npos;
    }
    if (copied == 0 && out.empty()) return std::string(text);
    return out.append(text.substr(copied));
}

PointFields ReplacedFields(const PointTable& points, int row, const ReplaceRequest& request) {
    PointFields fields = points.Fields(row);
    if (request.in != ReplaceIn::Reading) fields.name = ReplaceMatches(fields.name, request.search, request.replacement);
    if (request.in != ReplaceIn::Name) fields.reading = ReplaceMatches(fields.reading, request.search, request.replacement);
    return fields;
}

ReplacePreview PreviewReplace(const PointTable& points, const ReplaceRequest& request) {
    ReplacePreview preview;
    for (int row : request.rows) {
        if (row < 0 || row >= points.GetCount()) continue;
        const PointFields fields = ReplacedFields(points, row, request);
        const PointRecord& stored = points.Row(row);
        const bool nameChanged = fields.name != stored.name;
        if (!nameChanged && fields.reading == stored.reading) continue;
        preview.changed.push_back(row);
        if (nameChanged && ShortenName(fields.name) != fields.name) preview.shortened.push_back(row);
    }
    return preview;
}

std::string BatchCountText(int count) {
    return "選択した " + std::to_string(count) + " 地点の、「変更する」にチェックした項目を変更します。";
}

std::string ReplaceCountText(const ReplacePreview& preview, int searched, bool selectionOnly) {
    std::string text = (selectionOnly ? "選択した " : "全 ") + std::to_string(searched) + " 地点のうち " +
                       std::to_string(preview.changed.size()) + " 地点が変わります。";
    if (!preview.shortened.empty()) {
        text += "\n名称が 16 バイトを超える " + std::to_string(preview.shortened.size()) + " 地点は短縮されます：";
    }
    return text;
}

std::string ShortenedLine(const PointTable& points, int row, const ReplaceRequest& request) {
    const std::string name = ReplacedFields(points, row, request).name;
    return std::to_string(row + 1) + "行: " + name + " → " + ShortenName(name);
}

std::optional<Selection> PointDocument::ChangeSelected(const BatchChange& change, const Selection& before) {
    EditStep step;
    for (int row : before.rows) {
        if (row < 0 || row >= Count()) continue;
        PointFields fields = table.Fields(row);
        ApplyBatch(fields, change);
        PointRecord original = table.Row(row);
        if (table.SetFields(row, fields)) step.Replaced(row, original, table.Row(row));
    }
    if (step.Empty()) return std::nullopt;
    return Record(std::move(step), before, before);
}

std::optional<Selection> PointDocument::Replace(const ReplaceRequest& request, const Selection& before) {
    EditStep step;
    for (int row : PreviewReplace(table, request).changed) {
        const PointRecord original = table.Row(row);
        table.SetFields(row, ReplacedFields(table, row, request));
        step.Replaced(row, original, table.Row(row));
    }
    if (step.Empty()) return std::nullopt;
    return Record(std::move(step), before, before);
}

}  // namespace vondrel
