// The proposed readings' list.
#include "dialogs/reading_list_dialog.h"

#include <commctrl.h>

#include "resource.h"
#include "win/list_view.h"

namespace vondrel {

namespace {
constexpr UINT kChecked = INDEXTOSTATEIMAGEMASK(2);
}  // namespace

std::optional<std::vector<int>> ChooseReadings(HWND owner, const std::vector<ProposedReading>& proposals) {
    ReadingListDialog dialog(proposals);
    dialog.RunModal(owner);
    return dialog.Chosen();
}

ReadingListDialog::ReadingListDialog(const std::vector<ProposedReading>& given) : Dialog(IDD_READINGS), proposals(given) {}

BOOL ReadingListDialog::OnInitDialog() {
    const win::ListView list(Item(IDC_READINGS_LIST).Hwnd());
    list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    // The name takes two fifths of the width, the reading the rest.
    RECT client{};
    GetClientRect(list.Hwnd(), &client);
    list.InsertColumn(0, "名称", (client.right - client.left) * 2 / 5);
    list.InsertColumn(1, "ふりがな", 0);
    for (std::size_t i = 0; i < proposals.size(); ++i) {
        const int row = list.InsertRow(static_cast<int>(i), proposals[i].name, 0);
        list.SetCellText(row, 1, proposals[i].reading);
        list.SetState(row, kChecked, LVIS_STATEIMAGEMASK);
    }
    if (!proposals.empty()) list.SetState(0, LVIS_FOCUSED, LVIS_FOCUSED);
    list.FitLastColumn(0);  // once the rows are in, beside the scroll bar they may need
    return TRUE;
}

void ReadingListDialog::OnOK() {
    const win::ListView list(Item(IDC_READINGS_LIST).Hwnd());
    std::vector<int> checked;
    for (int row = 0; row < list.Count(); ++row) {
        if (list.State(row, LVIS_STATEIMAGEMASK) == kChecked) checked.push_back(row);
    }
    chosen = std::move(checked);
    End(IDOK);
}

}  // namespace vondrel
