// Main window texts.
#include "editing/main_texts.h"

#include <cstdio>

#include "core/point_warning_list.h"

namespace vondrel {

std::string RowIndicatorText(int row) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, " %3d行", row + 1);
    return buffer;
}

std::string PointCountText(int count) { return "地点登録数  " + std::to_string(count); }

std::string PointLimitText(int limit) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d地点以上は登録出来ません", limit);
    return buffer;
}

std::string ConfirmSaveText(bool titled, const std::string& fileName) {
    return (titled ? fileName + "は変更されています。" : std::string("新規ファイルです。")) + "保存しますか？";
}

std::string UnreadOverwriteQuestion(const std::string& unread) {
    return unread + "\n\nはい: 名前を付けて保存します\nいいえ: このまま上書きします\nキャンセル: 保存しません";
}

std::string NoPositionSaveQuestion(int count) {
    return "位置のない地点が " + std::to_string(count) +
           " 件あります。\nナビゲーションはこれらの地点を案内できません。\n\nこのまま保存しますか？";
}

std::string NoPositionImportText(const std::vector<std::string>& names) {
    if (names.empty()) return std::string();
    PointWarningList list("位置のない地点");
    for (const std::string& name : names) list.Add(name.empty() ? std::string("(名称なし)") : name);
    std::vector<std::string> lines;
    list.AppendLine(lines);
    return "位置のない地点: " + std::to_string(names.size()) + " 件 — 住所検索で位置を設定してください\n\n" +
           lines.front().substr(lines.front().find("): ") + 3);
}

std::string ExportedText(int count, const std::string& file, bool selectionOnly) {
    return std::to_string(count) + " 地点" + (selectionOnly ? "（選択した地点のみ）" : "") + "を " + file + " に書き出しました";
}

}  // namespace vondrel
