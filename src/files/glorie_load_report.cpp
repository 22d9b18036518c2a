// Checks and warnings around the glorie scanner.
#include "files/glorie_load_report.h"

#include <algorithm>

#include "core/limits.h"
#include "core/point_warning_list.h"

namespace vondrel {

namespace {
bool HoldsReplacement(const PointRecord& row) {
    for (const std::string* text : {&row.name, &row.reading, &row.lon, &row.lat, &row.mark, &row.tel, &row.sound, &row.outmost}) {
        if (text->find('?') != std::string::npos) return true;
    }
    return false;
}

// "12 東京駅": the row's number as the list shows it, and its name.
std::string Label(const PointTable& table, int row) { return std::to_string(row + 1) + " " + table.Row(row).name; }
}  // namespace

bool GlorieUnclosed(std::string_view bytes) {
    return bytes.find("<glorie") != std::string_view::npos && bytes.rfind("</glorie>") == std::string_view::npos;
}

bool LooksLikePointFile(std::string_view bytes) {
    return bytes.find("<glorie") != std::string_view::npos || bytes.find("<gpoi") != std::string_view::npos;
}

void CheckLoadedTexts(PointTable& table, const std::vector<int>& replacedBlocks, LoadReport& report) {
    table.TrimLeadingBlanks();
    report.cutRows = table.CapTexts(kMaxTextBytes);
    for (int block : replacedBlocks) {
        if (block < table.GetCount() && HoldsReplacement(table.Row(block))) report.replacedRows.push_back(block);
    }
}

std::string DroppedPointsText() { return "先頭の" + std::to_string(kTableRows) + "地点を読み込みました（残りは読み込んでいません）"; }

std::vector<std::string> LoadWarnings(const PointTable& table, const LoadReport& report) {
    std::vector<std::string> lines;
    if (report.damaged) {
        lines.push_back("ファイルが壊れているか途中で切れています。読み込めたところまでを表示します。");
        const struct {
            PointBlocks::Outcome damage;
            const char* text;
        } kinds[] = {{PointBlocks::Outcome::CutShort, "途中で切れている地点"},
                     {PointBlocks::Outcome::Unnamed, "名称のない地点"},
                     {PointBlocks::Outcome::Unplaced, "緯度か経度のない地点"}};
        for (const auto& kind : kinds) {
            PointWarningList points(kind.text);
            for (const DamagedPoint& point : report.damagedPoints) {
                if (point.damage == kind.damage) points.Add(Label(table, point.row));
            }
            points.AppendLine(lines);
        }
        if (report.emptyBlocks > 0) lines.push_back("中身のない地点 " + std::to_string(report.emptyBlocks) + " 件は読み込んでいません");
    }
    if (report.droppedPoints > 0) lines.push_back(DroppedPointsText());
    PointWarningList cut("1023 バイトを超える文字列を切り詰めた地点");
    for (int row : report.cutRows) cut.Add(Label(table, row));
    cut.AppendLine(lines);
    PointWarningList replaced("Shift_JIS にない文字を「?」にした地点");
    for (int row : report.replacedRows) replaced.Add(Label(table, row));
    replaced.AppendLine(lines);
    return lines;
}

std::string UnreadText(const LoadReport& report) {
    const std::string lost = "上書きすると失われます。";
    std::string text;
    auto line = [&](const std::string& what) { text += (text.empty() ? "" : "\n") + what + lost; };
    if (report.droppedPoints > 0) {
        line("このファイルの " + std::to_string(kTableRows + 1) + " 番目以降の " + std::to_string(report.droppedPoints) +
             " 地点は読み込まれていません。");
    }
    if (!report.cutRows.empty()) {
        line("このファイルの " + std::to_string(report.cutRows.size()) + " 地点の文字列は " + std::to_string(kMaxTextBytes) +
             " バイトに切り詰めて読み込まれています。");
    }
    if (!report.replacedRows.empty()) {
        line("このファイルの " + std::to_string(report.replacedRows.size()) +
             " 地点の Shift_JIS にない文字は「?」として読み込まれています。");
    }
    return text;
}

}  // namespace vondrel
