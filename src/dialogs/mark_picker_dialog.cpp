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
    1001, 1002, 1068, 1069, 1070, 1003, 1004, 1071, 1072, 1073, 1005,
    1012, 1013, 1014, 1015, 1016, 1017, 1018, 1019, 1020, 1021, 1022,
    1034, 1035, 1036, 1037, 1038, 1039, 1040, 1041, 1042, 1043, 1044,
    1045, 1046, 1047, 1048, 1049, 1050, 1051, 1052, 1053, 1054, 1055,
    1056, 1057, 1058, 1059, 1060, 1061, 1062, 1063, 1064, 1065, 1066,
};
}  // namespace

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
