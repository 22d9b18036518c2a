// 編集 > ふりがなの自動入力: readings for the points that have none, asked of the Japanese input
// method's reading conversion, shown for the user to choose from, and stored as one step.
#include <vector>

#include "dialogs/reading_list_dialog.h"
#include "editing/readings.h"
#include "os/win32_text.h"
#include "ui/main_dialog.h"
#include "win/ime_readings.h"

namespace vondrel {

void MainDialog::FillReadings() {
    const Selection before = ListSelection();
    const std::vector<int> rows = RowsWithoutReading(document.Points(), before);
    if (rows.empty()) {
        prompts->ShowMessage(Hwnd(), "ふりがなが空の地点はありません。", MB_OK | MB_ICONINFORMATION);
        return;
    }
    const std::unique_ptr<win::ReadingConverter> converter = win::ReadingConverter::Open();
    if (!converter) {
        prompts->ShowMessage(Hwnd(),
                             "ふりがなを求める日本語入力システム（Microsoft IME）が見つかりません。\n"
                             "ふりがなは変更していません。",
                             MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    std::vector<RowReading> found;
    std::vector<ProposedReading> shown;
    for (int row : rows) {
        const std::string& name = document.Points().Row(row).name;
        bool lossless = true;
        const std::string reading = StoredReading(os::ToCp932(converter->Reading(os::ToWide(name)), &lossless));
        if (!lossless || reading.empty()) continue;  // none, or one the field could not store
        found.push_back({row, reading});
        shown.push_back({name, reading});
    }
    if (found.empty()) {
        prompts->ShowMessage(Hwnd(), "ふりがなを求められる地点はありませんでした。", MB_OK | MB_ICONINFORMATION);
        return;
    }
    const std::optional<std::vector<int>> checked = ChooseReadings(Hwnd(), shown);
    if (!checked) return;
    std::vector<RowReading> chosen;
    for (int index : *checked) chosen.push_back(found[static_cast<std::size_t>(index)]);
    if (const std::optional<Selection> after = document.SetReadings(chosen, before)) ShowDocument(*after);
}

}  // namespace vondrel
