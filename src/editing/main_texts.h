// Texts the main window shows: status-bar panes, limit messages and the questions before saving.
// Code page 932. Portable so they are tested natively.
#pragma once

#include <string>
#include <vector>

namespace vondrel {

// Status pane 1 for the 0-based row: " %3d行" of row + 1.
std::string RowIndicatorText(int row);
// Status pane 2: "地点登録数  " followed by the count.
std::string PointCountText(int count);
// "%d地点以上は登録出来ません".
std::string PointLimitText(int limit);
// The unsaved-changes question for a titled list (its name) or an untitled one.
std::string ConfirmSaveText(bool titled, const std::string& fileName);
// The question before a save over a file that was not read whole (`unread`: what would be lost),
// answered はい (save under another name), いいえ (overwrite) or キャンセル.
std::string UnreadOverwriteQuestion(const std::string& unread);
// The question before saving a list with `count` points without a position, answered はい (save
// them without one) or いいえ.
std::string NoPositionSaveQuestion(int count);
// What the user is told after reading points of which some have no position (their names,
// the first few): empty when all have one.
std::string NoPositionImportText(const std::vector<std::string>& names);
// The status after an export: how many points went to which file, and whether only the
// selected ones did.
std::string ExportedText(int count, const std::string& file, bool selectionOnly);

}  // namespace vondrel
