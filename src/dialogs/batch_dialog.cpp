// The batch change dialog: the controls filled from the first selected point, the "変更する"
// checks set by the user's changes, and the checked fields handed back.
#include "dialogs/batch_dialog.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "core/direction.h"
#include "core/text_fold.h"
#include "dialogs/mark_picker_dialog.h"
#include "editing/point_edit_logic.h"
#include "editing/point_input_checks.h"
#include "os/win32_text.h"
#include "resource.h"
#include "win/controls.h"
#include "win/prompts.h"

namespace vondrel {

std::optional<BatchChange> AskBatchChange(HWND owner, const PointFields& shown, int count,
                                          std::function<HICON(int)> markIcon) {
    BatchDialog dialog(shown, count, std::move(markIcon));
    dialog.RunModal(owner);
    return dialog.Chosen();
}

BatchDialog::BatchDialog(const PointFields& fields, int points, std::function<HICON(int)> icons)
    : Dialog(IDD_BATCH_CHANGE), shown(fields), count(points), markIcon(std::move(icons)) {
    OnCommandCode(IDC_BATCH_MARK_NUMBER, EN_CHANGE, &BatchDialog::OnMarkNumberChanged);
    OnCommandCode(IDC_BATCH_MARK_ICON, STN_CLICKED, &BatchDialog::OnMarkIconClicked);
    OnCommandCode(IDC_BATCH_SOUND, CBN_SELCHANGE, &BatchDialog::OnSoundChanged);
    OnCommand(IDC_BATCH_DIRECTION_ON, &BatchDialog::OnDirectionSwitch);
    OnCommand(IDC_BATCH_DIRECTION_OFF, &BatchDialog::OnDirectionSwitch);
    OnCommandCall(IDC_BATCH_DIRECTION_BACK, [this] { OnDirectionStep(-1); });
    OnCommandCall(IDC_BATCH_DIRECTION_FORWARD, [this] { OnDirectionStep(1); });
    OnMessageThenDefault(WM_DESTROY, &BatchDialog::OnDestroy);
}

BatchDialog::~BatchDialog() { markIconShown.Reset(); }

BOOL BatchDialog::OnInitDialog() {
    Item(IDC_BATCH_COUNT).SetText(BatchCountText(count));

    const win::ComboBox sounds(Item(IDC_BATCH_SOUND).Hwnd());
    for (std::string_view soundName : point_edit::SoundNames) sounds.Add(std::string(soundName));
    sounds.Select(point_edit::SoundSelection(shown.sound));

    const win::UpDown spin(Item(IDC_BATCH_MARK_SPIN).Hwnd());
    spin.SetBuddy(Item(IDC_BATCH_MARK_NUMBER).Hwnd());
    spin.SetRange(point_edit::kFirstMark, point_edit::kLastMark);
    spin.SetPosition(point_edit::MarkPosition(shown.mark));
    if (point_edit::IntegerValue(shown.mark) == 0) Item(IDC_BATCH_MARK_NUMBER).SetText("");
    // The frame keeps its size (the image is centred in it): room for a mark icon inside its edge.
    SetWindowPos(Item(IDC_BATCH_MARK_ICON).Hwnd(), nullptr, 0, 0, GetSystemMetrics(SM_CXICON) + 2 * GetSystemMetrics(SM_CXEDGE),
                 GetSystemMetrics(SM_CYICON) + 2 * GetSystemMetrics(SM_CYEDGE), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowMarkIcon(point_edit::MarkImageIndex(shown.mark));

    win::Button(Item(IDC_BATCH_DIRECTION_ON).Hwnd()).SetChecked(shown.directionOn == 1);
    win::Button(Item(IDC_BATCH_DIRECTION_OFF).Hwnd()).SetChecked(shown.directionOn != 1);
    directionStep = DirectionTextToStep(shown.dcenter);
    Item(IDC_BATCH_DIRECTION_TEXT).SetText(point_edit::DirectionText(directionStep));
    open = true;
    return TRUE;
}

void BatchDialog::Check(int id) const {
    if (open) win::Button(Item(id).Hwnd()).SetChecked(true);
}

bool BatchDialog::Checked(int id) const { return win::Button(Item(id).Hwnd()).IsChecked(); }

void BatchDialog::ShowMarkIcon(int index) {
    HICON icon = point_edit::IsMarkImageIndex(index) && markIcon ? markIcon(index) : nullptr;
    Item(IDC_BATCH_MARK_ICON).Send(STM_SETICON, reinterpret_cast<WPARAM>(icon));
    markIconShown.Reset(icon);  // the previous icon is freed once the static no longer shows it
}

void BatchDialog::OnMarkNumberChanged() {
    bool valid = false;
    const int position = win::UpDown(Item(IDC_BATCH_MARK_SPIN).Hwnd()).Position(&valid);
    ShowMarkIcon(valid ? position - point_edit::kFirstMark : -1);
    Check(IDC_BATCH_MARK_CHANGE);
}

void BatchDialog::OnMarkIconClicked() {
    bool valid = false;
    const int current = win::UpDown(Item(IDC_BATCH_MARK_SPIN).Hwnd()).Position(&valid);
    const std::optional<int> picked = PickMark(Hwnd(), valid ? current : 0, markIcon);
    if (picked) Item(IDC_BATCH_MARK_NUMBER).SetText(std::to_string(*picked));  // its change checks the field
}

void BatchDialog::OnSoundChanged() { Check(IDC_BATCH_SOUND_CHANGE); }

void BatchDialog::OnDirectionSwitch() { Check(IDC_BATCH_DIRECTION_ON_CHANGE); }

void BatchDialog::OnDirectionStep(int delta) {
    directionStep = delta < 0 ? point_edit::StepBack(directionStep) : point_edit::StepForward(directionStep);
    Item(IDC_BATCH_DIRECTION_TEXT).SetText(point_edit::DirectionText(directionStep));
    Check(IDC_BATCH_DIRECTION_CHANGE);
}

void BatchDialog::OnDestroy(WPARAM, LPARAM) {
    Item(IDC_BATCH_MARK_ICON).Send(STM_SETICON, 0);
    markIconShown.Reset();
}

void BatchDialog::OnOK() {
    BatchChange change;
    const int sound = win::ComboBox(Item(IDC_BATCH_SOUND).Hwnd()).Selection();
    bool valid = false;
    const int mark = win::UpDown(Item(IDC_BATCH_MARK_SPIN).Hwnd()).Position(&valid);
    if (Checked(IDC_BATCH_MARK_CHANGE)) {
        TypedPoint typed;
        typed.markNumber = text_fold::HalfWidthAscii(Item(IDC_BATCH_MARK_NUMBER).GetText());
        if (const std::optional<InputProblem> problem = FirstInputProblem(typed)) {
            MessageBoxW(Hwnd(), os::ToWide(problem->message).c_str(), win::kMessageCaption, MB_OK | MB_ICONEXCLAMATION);
            Self().Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_BATCH_MARK_NUMBER).Hwnd()), TRUE);
            return;
        }
        change.fields.push_back(Field::Mark);
    }
    if (Checked(IDC_BATCH_SOUND_CHANGE) && sound >= 0) change.fields.push_back(Field::Sound);
    if (Checked(IDC_BATCH_DIRECTION_ON_CHANGE)) change.fields.push_back(Field::DirectionOn);
    if (Checked(IDC_BATCH_DIRECTION_CHANGE)) change.fields.push_back(Field::Dcenter);
    const point_edit::OkTexts texts = point_edit::OkTextsFor(sound, valid ? mark : 0, directionStep);
    change.values.mark = texts.mark;
    change.values.sound = texts.sound;
    change.values.dcenter = texts.dcenter;
    change.values.directionOn = win::Button(Item(IDC_BATCH_DIRECTION_ON).Hwnd()).IsChecked() ? 1 : 0;
    chosen = std::move(change);
    End(IDOK);
}

}  // namespace vondrel
