// The point edit dialog: shows the point in the controls, keeps the mark icon, the name's byte
// count, the sound list and the direction controls in step while open, checks the typed texts on
// OK and hands the fields chosen back.
#include "dialogs/point_edit_dialog.h"

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <utility>

#include "resource.h"
#include "core/coordinate_text.h"
#include "core/direction.h"
#include "core/limits.h"
#include "core/map_position.h"
#include "dialogs/mark_picker_dialog.h"
#include "core/text_fold.h"
#include "editing/point_edit_logic.h"
#include "editing/point_input_checks.h"
#include "win/controls.h"
#include "win/prompts.h"
#include "os/win32_text.h"

namespace vondrel {

namespace {

// The edits the user types into and the fields they show, in the dialog's visual order.
struct TextField {
    int id;
    std::string PointFields::*member;
};
const TextField kTextFields[] = {
    {IDC_EDIT_NAME, &PointFields::name}, {IDC_EDIT_READING, &PointFields::reading}, {IDC_EDIT_LON, &PointFields::lon},
    {IDC_EDIT_LAT, &PointFields::lat},   {IDC_EDIT_TEL, &PointFields::tel},
};

constexpr int kDirectionArrows[] = {IDC_EDIT_DIRECTION_BACK, IDC_EDIT_DIRECTION_FORWARD, IDC_EDIT_DIRECTION_TEXT};

SIZE IconSize(HICON icon) {
    SIZE size{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return size;
    const win::GdiObject<HBITMAP> color(info.hbmColor);  // copies made for the caller
    const win::GdiObject<HBITMAP> mask(info.hbmMask);
    BITMAP bitmap{};
    if (color && GetObjectW(color.Get(), sizeof bitmap, &bitmap)) {
        size = {bitmap.bmWidth, bitmap.bmHeight};
    } else if (mask && GetObjectW(mask.Get(), sizeof bitmap, &bitmap)) {
        size = {bitmap.bmWidth, bitmap.bmHeight / 2};  // monochrome: mask and image stacked
    }
    return size;
}

std::wstring WideText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, &text[0], length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

}  // namespace

void MapPositionInbox::ShowLatitude(const std::string& display) const {
    if (open) open->ShowMapPosition(IDC_EDIT_MAP_LAT, display);
}

void MapPositionInbox::ShowLongitude(const std::string& display) const {
    if (open) open->ShowMapPosition(IDC_EDIT_MAP_LON, display);
}

std::optional<PointFields> EditPoint(HWND owner, const PointFields& fields, const PointEditServices& services) {
    PointEditDialog dialog(fields, services);
    dialog.RunModal(owner);
    return dialog.Chosen();
}

PointEditDialog::PointEditDialog(const PointFields& fields, PointEditServices given)
    : Dialog(IDD_POINT_EDIT), opened(fields), services(std::move(given)), directionOn(fields.directionOn) {
    // The map's positions reach this dialog for as long as it lives.
    if (services.mapPositions) services.mapPositions->open = this;
    OnCommandCode(IDC_EDIT_SOUND, CBN_SELCHANGE, &PointEditDialog::OnSoundChanged);
    OnCommand(IDC_EDIT_DIRECTION_ON, &PointEditDialog::OnDirectionSwitch);
    OnCommand(IDC_EDIT_DIRECTION_OFF, &PointEditDialog::OnDirectionSwitch);
    OnCommand(IDC_EDIT_DIRECTION_BACK, &PointEditDialog::OnDirectionBack);
    OnCommand(IDC_EDIT_DIRECTION_FORWARD, &PointEditDialog::OnDirectionForward);
    OnCommandCode(IDC_EDIT_MARK_NUMBER, EN_CHANGE, &PointEditDialog::OnMarkNumberChanged);
    OnCommandCode(IDC_EDIT_MARK_ICON, STN_CLICKED, &PointEditDialog::OnMarkIconClicked);
    OnCommandCode(IDC_EDIT_NAME, EN_CHANGE, &PointEditDialog::OnNameChanged);
    OnMessageIf(WM_CTLCOLORSTATIC, &PointEditDialog::OnCtlColorStatic);
    OnCommand(IDC_EDIT_SHOW_MAP, &PointEditDialog::OnShowMap);
    OnCommand(IDC_EDIT_CAPTURE, &PointEditDialog::OnCapturePosition);
    OnCommand(IDC_EDIT_PASTE_POSITION, &PointEditDialog::OnPastePosition);
    OnCommand(IDC_EDIT_COPY_POSITION, &PointEditDialog::OnCopyPosition);
    OnCommand(IDC_EDIT_ADDRESS_SEARCH, &PointEditDialog::OnAddressSearch);
    OnMessage(WM_CLOSE, &PointEditDialog::OnClose);
    OnMessageThenDefault(WM_DESTROY, &PointEditDialog::OnDestroy);
}

PointEditDialog::~PointEditDialog() {
    if (services.mapPositions && services.mapPositions->open == this) services.mapPositions->open = nullptr;
    ReleaseMarkIcon();
}

BOOL PointEditDialog::OnInitDialog() {
    FitMarkFrame(reinterpret_cast<HICON>(Item(IDC_EDIT_MARK_ICON).Send(STM_GETICON)));
    const PointFields& fields = opened;
    for (const TextField& field : kTextFields) Item(field.id).SetText(fields.*field.member);
    ShowNameBytes();
    nameReadings.Attach(Item(IDC_EDIT_NAME).Hwnd(), [this](const std::wstring& reading) { OnNameReading(reading); },
                        services.confirmedReading ? services.confirmedReading : win::ResultReading);

    for (int id : {IDC_EDIT_DATE, IDC_EDIT_TIME, IDC_EDIT_MAP_LAT, IDC_EDIT_MAP_LON}) Item(id).Enable(false);
    // The map position arrives from outside while the dialog is open; it never carries over.
    Item(IDC_EDIT_MAP_LAT).SetText("");
    Item(IDC_EDIT_MAP_LON).SetText("");

    Item(IDC_EDIT_SHOW_MAP).Enable(services.mapAvailable);
    Item(IDC_EDIT_CAPTURE).Enable(services.mapAvailable);

    const win::ComboBox sounds(Item(IDC_EDIT_SOUND).Hwnd());
    sounds.Clear();
    for (std::string_view soundName : point_edit::SoundNames) sounds.Add(std::string(soundName));
    // Visual styles size the dropped list by an item count (30 unless told); keep the template's height.
    RECT dropped{};
    sounds.Send(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    const int itemHeight = static_cast<int>(sounds.Send(CB_GETITEMHEIGHT, 0));
    const RECT closed = sounds.WindowRect();
    if (itemHeight > 0) {
        const int visible = ((dropped.bottom - dropped.top) - (closed.bottom - closed.top)) / itemHeight;
        sounds.Send(CB_SETMINVISIBLE, static_cast<WPARAM>(visible > 1 ? visible : 1));
    }
    const int soundId = point_edit::IntegerValue(fields.sound);
    sounds.Select(point_edit::SoundSelection(fields.sound));

    win::Button(Item(IDC_EDIT_DIRECTION_ON).Hwnd()).SetChecked(fields.directionOn == 1);
    win::Button(Item(IDC_EDIT_DIRECTION_OFF).Hwnd()).SetChecked(fields.directionOn != 1);

    // The up-down clamps the position into the mark range and writes it into the number field.
    const win::UpDown spin(Item(IDC_EDIT_MARK_SPIN).Hwnd());
    spin.SetBuddy(Item(IDC_EDIT_MARK_NUMBER).Hwnd());
    spin.SetRange(point_edit::kFirstMark, point_edit::kLastMark);
    spin.SetPosition(point_edit::MarkPosition(fields.mark));
    // A point without a mark shows none, rather than the first the up-down can show.
    if (point_edit::IntegerValue(fields.mark) == 0) Item(IDC_EDIT_MARK_NUMBER).SetText("");

    directionStep = DirectionTextToStep(fields.dcenter);
    ShowDirection(directionStep);
    UpdateDirectionControls(soundId);

    // The stored mark decides the icon, even where the up-down had to clamp it.
    ShowMarkIcon(point_edit::MarkImageIndex(fields.mark));
    open = true;
    // A mark set on the map before the dialog opened is asked for, so 位置取り込み can take it.
    if (services.mapAvailable && services.askMapPosition) services.askMapPosition();
    return TRUE;
}

void PointEditDialog::ShowMapPosition(int id, const std::string& display) {
    if (!open) return;
    Item(id).SetText(display);
    if (captureAsked && TakeMapPosition()) captureAsked = false;
}

void PointEditDialog::ShowDirection(int step) { Item(IDC_EDIT_DIRECTION_TEXT).SetText(point_edit::DirectionText(step)); }

void PointEditDialog::UpdateDirectionControls(int soundId) {
    const point_edit::DirectionControls state = point_edit::DirectionControlsFor(soundId, directionOn);
    Item(IDC_EDIT_DIRECTION_ON).Enable(state.radiosEnabled);
    Item(IDC_EDIT_DIRECTION_OFF).Enable(state.radiosEnabled);
    if (state.setChecks) {
        win::Button(Item(IDC_EDIT_DIRECTION_ON).Hwnd()).SetChecked(state.onChecked);
        win::Button(Item(IDC_EDIT_DIRECTION_OFF).Hwnd()).SetChecked(!state.onChecked);
    }
    for (int id : kDirectionArrows) Item(id).Enable(state.arrowsEnabled);
    if (state.showDirection) ShowDirection(directionStep);
}

void PointEditDialog::ShowMarkIcon(int index) {
    HICON icon = point_edit::IsMarkImageIndex(index) && services.markIcon ? services.markIcon(index) : nullptr;
    Item(IDC_EDIT_MARK_ICON).Send(STM_SETICON, reinterpret_cast<WPARAM>(icon));
    if (icon) FitMarkFrame(icon);
    // Only icons made by services.markIcon are ours; the template's own icon belongs to the system.
    markIconShown.Reset(icon);
}

void PointEditDialog::FitMarkFrame(HICON icon) {
    // The static takes the icon's size as its outer size, so the sunken edge would cover the
    // icon's outermost pixels: make room for the edge around the whole icon.
    const win::Window frame = Item(IDC_EDIT_MARK_ICON);
    const SIZE size = IconSize(icon);
    RECT outer{0, 0, size.cx, size.cy};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongW(frame.Hwnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(frame.Hwnd(), GWL_EXSTYLE)));
    SetWindowPos(frame.Hwnd(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PointEditDialog::ReleaseMarkIcon() {
    if (!markIconShown) return;
    if (Hwnd()) Item(IDC_EDIT_MARK_ICON).Send(STM_SETICON, 0);
    markIconShown.Reset();
}

int PointEditDialog::FirstEditWithUnstorableText() const {
    for (const TextField& field : kTextFields) {
        bool lossless = true;
        os::ToCp932(WideText(Item(field.id).Hwnd()), &lossless);
        if (!lossless) return field.id;
    }
    return 0;
}

void PointEditDialog::OnSoundChanged() {
    UpdateDirectionControls(win::ComboBox(Item(IDC_EDIT_SOUND).Hwnd()).Selection());
}

void PointEditDialog::OnDirectionSwitch() {
    directionOn = win::Button(Item(IDC_EDIT_DIRECTION_ON).Hwnd()).IsChecked() ? 1 : 0;
    UpdateDirectionControls(win::ComboBox(Item(IDC_EDIT_SOUND).Hwnd()).Selection());
}

void PointEditDialog::OnDirectionBack() {
    directionStep = point_edit::StepBack(directionStep);
    ShowDirection(directionStep);
}

void PointEditDialog::OnDirectionForward() {
    directionStep = point_edit::StepForward(directionStep);
    ShowDirection(directionStep);
}

void PointEditDialog::OnMarkNumberChanged() {
    Self().Invalidate();
    // Text that is not a mark number shows no icon; the up-down keeps its last good position.
    bool valid = false;
    const int position = win::UpDown(Item(IDC_EDIT_MARK_SPIN).Hwnd()).Position(&valid);
    ShowMarkIcon(valid ? position - point_edit::kFirstMark : -1);
}

void PointEditDialog::OnMarkIconClicked() {
    bool valid = false;
    const int shown = win::UpDown(Item(IDC_EDIT_MARK_SPIN).Hwnd()).Position(&valid);
    const std::optional<int> picked = PickMark(Hwnd(), valid ? shown : 0, services.markIcon);
    if (!picked || *picked == shown) return;
    Item(IDC_EDIT_MARK_NUMBER).SetText(std::to_string(*picked));  // its change shows the icon
}

void PointEditDialog::ShowNameBytes() {
    Item(IDC_EDIT_NAME_BYTES).SetText(NameBytesText(Item(IDC_EDIT_NAME).GetText()));
    Item(IDC_EDIT_NAME_BYTES).Invalidate();
}

void PointEditDialog::OnNameChanged() { ShowNameBytes(); }

void PointEditDialog::OnNameReading(const std::wstring& reading) {
    bool lossless = true;
    const std::string cp932 = os::ToCp932(reading, &lossless);
    if (!lossless) return;  // no reading the field could store
    const win::Window field = Item(IDC_EDIT_READING);
    if (const std::optional<std::string> shown = readingFollower.Confirmed(cp932, field.GetText())) field.SetText(*shown);
}

bool PointEditDialog::OnCtlColorStatic(WPARAM dc, LPARAM control, LRESULT& result) {
    // The byte count turns red once the name is longer than the table stores.
    if (reinterpret_cast<HWND>(control) != Item(IDC_EDIT_NAME_BYTES).Hwnd()) return false;
    if (Item(IDC_EDIT_NAME).GetText().size() <= kNameLimit) return false;
    const HDC context = reinterpret_cast<HDC>(dc);
    SetTextColor(context, RGB(204, 0, 0));
    SetBkColor(context, GetSysColor(COLOR_BTNFACE));
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    return true;
}

void PointEditDialog::Tell(const std::string& message) const {
    MessageBoxW(Hwnd(), os::ToWide(message).c_str(), win::kMessageCaption, MB_OK | MB_ICONEXCLAMATION);
}

void PointEditDialog::Refuse(int id, const std::string& message) {
    Tell(message);
    Self().Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id).Hwnd()), TRUE);  // focused with its text selected
}

void PointEditDialog::OnShowMap() {
    if (services.showMap) services.showMap(opened);
}

void PointEditDialog::OnCapturePosition() {
    if (TakeMapPosition()) return;
    // Nothing from the map yet (its mark was set before the dialog opened, or the answer is on
    // its way): ask, and take the position when it comes.
    captureAsked = true;
    if (services.askMapPosition) services.askMapPosition();
}

bool PointEditDialog::TakeMapPosition() {
    const std::string mapLon = Item(IDC_EDIT_MAP_LON).GetText(kMapPositionBytes);
    const std::string mapLat = Item(IDC_EDIT_MAP_LAT).GetText(kMapPositionBytes);
    if (mapLon.empty() || mapLat.empty()) return false;
    Item(IDC_EDIT_LON).SetText(mapLon);
    Item(IDC_EDIT_LAT).SetText(mapLat);
    return true;
}

LRESULT PointEditDialog::OnClose(WPARAM, LPARAM) {
    open = false;
    OnCancel();
    return 0;
}

void PointEditDialog::OnDestroy(WPARAM, LPARAM) { ReleaseMarkIcon(); }

void PointEditDialog::OnOK() {
    // A character without a code page 932 form would be stored as "?": the user fixes it first.
    if (const int id = FirstEditWithUnstorableText()) {
        Refuse(id, "使用できない文字が含まれています");
        return;
    }
    TypedPoint typed;
    typed.name = Item(IDC_EDIT_NAME).GetText();
    typed.originalName = opened.name;
    typed.lon = text_fold::HalfWidthAscii(Item(IDC_EDIT_LON).GetText());
    typed.lat = text_fold::HalfWidthAscii(Item(IDC_EDIT_LAT).GetText());
    typed.markNumber = text_fold::HalfWidthAscii(Item(IDC_EDIT_MARK_NUMBER).GetText());
    typed.noMark = point_edit::IntegerValue(opened.mark) == 0;
    if (const std::optional<InputProblem> problem = FirstInputProblem(typed)) {
        const int ids[] = {IDC_EDIT_NAME, IDC_EDIT_LON, IDC_EDIT_LAT, IDC_EDIT_MARK_NUMBER};
        Refuse(ids[static_cast<int>(problem->field)], problem->message);
        return;
    }
    const point_edit::OkTexts texts = point_edit::OkTextsFor(win::ComboBox(Item(IDC_EDIT_SOUND).Hwnd()).Selection(),
                                                             point_edit::IntegerValue(typed.markNumber), directionStep);
    PointFields fields = opened;
    fields.sound = texts.sound;
    fields.mark = texts.mark;
    fields.dcenter = texts.dcenter;
    fields.directionOn = directionOn;
    for (const TextField& field : kTextFields) fields.*field.member = Item(field.id).GetText();
    fields.lon = typed.lon;
    fields.lat = typed.lat;
    chosen = std::move(fields);
    open = false;
    End(IDOK);
}

void PointEditDialog::OnCancel() {
    open = false;
    End(IDCANCEL);
}

}  // namespace vondrel
