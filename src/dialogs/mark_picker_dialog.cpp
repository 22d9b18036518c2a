// The mark picker: gives its 55 buttons the mark images in reading order and frees them at the
// end; a mark button picks its mark and closes the picker.
#include "dialogs/mark_picker_dialog.h"

#include <array>
#include <utility>

#include "core/limits.h"
#include "resource.h"
#include "win/controls.h"

namespace vondrel {

namespace {
// The mark buttons row by row, left to right: button n shows mark n.
constexpr std::array<int, kMarkCount> kMarkButtons = {
    IDC_PICKER_MARK_1, IDC_PICKER_MARK_2, IDC_PICKER_MARK_3, IDC_PICKER_MARK_4, IDC_PICKER_MARK_5, IDC_PICKER_MARK_6,
    IDC_PICKER_MARK_7, IDC_PICKER_MARK_8, IDC_PICKER_MARK_9, IDC_PICKER_MARK_10, IDC_PICKER_MARK_11,
    IDC_PICKER_MARK_12, IDC_PICKER_MARK_13, IDC_PICKER_MARK_14, IDC_PICKER_MARK_15, IDC_PICKER_MARK_16, IDC_PICKER_MARK_17,
    IDC_PICKER_MARK_18, IDC_PICKER_MARK_19, IDC_PICKER_MARK_20, IDC_PICKER_MARK_21, IDC_PICKER_MARK_22,
    IDC_PICKER_MARK_23, IDC_PICKER_MARK_24, IDC_PICKER_MARK_25, IDC_PICKER_MARK_26, IDC_PICKER_MARK_27, IDC_PICKER_MARK_28,
    IDC_PICKER_MARK_29, IDC_PICKER_MARK_30, IDC_PICKER_MARK_31, IDC_PICKER_MARK_32, IDC_PICKER_MARK_33,
    IDC_PICKER_MARK_34, IDC_PICKER_MARK_35, IDC_PICKER_MARK_36, IDC_PICKER_MARK_37, IDC_PICKER_MARK_38, IDC_PICKER_MARK_39,
    IDC_PICKER_MARK_40, IDC_PICKER_MARK_41, IDC_PICKER_MARK_42, IDC_PICKER_MARK_43, IDC_PICKER_MARK_44,
    IDC_PICKER_MARK_45, IDC_PICKER_MARK_46, IDC_PICKER_MARK_47, IDC_PICKER_MARK_48, IDC_PICKER_MARK_49, IDC_PICKER_MARK_50,
    IDC_PICKER_MARK_51, IDC_PICKER_MARK_52, IDC_PICKER_MARK_53, IDC_PICKER_MARK_54, IDC_PICKER_MARK_55,
};
}  // namespace

int MarkButtonId(int mark) { return kMarkButtons.at(static_cast<std::size_t>(mark - 1)); }

std::optional<int> PickMark(HWND owner, int shown, std::function<HICON(int)> markIcon) {
    MarkPickerDialog picker(shown, std::move(markIcon));
    if (picker.RunModal(owner) != IDOK) return std::nullopt;
    return picker.Mark();
}

MarkPickerDialog::MarkPickerDialog(int shown, std::function<HICON(int)> markIcon)
    : Dialog(IDD_MARK_PICKER), mark(shown), markIcon(std::move(markIcon)) {
    for (std::size_t k = 0; k < kMarkButtons.size(); ++k) {
        OnCommandCall(kMarkButtons[k], [this, k] { Pick(static_cast<int>(k) + 1); });
    }
    OnMessageThenDefault(WM_DESTROY, &MarkPickerDialog::OnDestroy);
}

MarkPickerDialog::~MarkPickerDialog() { ReleaseIcons(); }

BOOL MarkPickerDialog::OnInitDialog() {
    ReleaseIcons();
    for (std::size_t k = 0; k < kMarkButtons.size(); ++k) {
        win::OwnedIcon icon(markIcon ? markIcon(static_cast<int>(k)) : nullptr);
        if (!icon) continue;
        win::Button(Item(kMarkButtons[k]).Hwnd()).SetIcon(icon.Get());
        icons.push_back(std::move(icon));
    }
    if (mark < 1 || mark > kMarkCount) return TRUE;
    // The mark shown now has the focus, so Enter or Space picks it again.
    Self().Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(kMarkButtons[static_cast<std::size_t>(mark - 1)]).Hwnd()), TRUE);
    return FALSE;
}

void MarkPickerDialog::Pick(int number) {
    mark = number;
    End(IDOK);
}

void MarkPickerDialog::OnDestroy(WPARAM, LPARAM) { ReleaseIcons(); }

void MarkPickerDialog::ReleaseIcons() { icons.clear(); }

}  // namespace vondrel
