// Main window texts.
#include "editing/main_texts.h"

#include <cstdio>

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

std::string ExportedText(int count, const std::string& file, bool selectionOnly) {
    return std::to_string(count) + " 地点" + (selectionOnly ? "（選択した地点のみ）" : "") + "を " + file + " に書き出しました";
}

}  // namespace vondrel
