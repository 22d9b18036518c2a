// The "編集" dialog (template 153) that edits one point: name, reading, coordinates, telephone,
// mark, sound and approach direction, plus the map buttons. EditPoint shows it modally and hands
// back what the user chose. ふりがな follows the readings of what is typed into the name through
// the input method until the user types in it. OK accepts only what the table stores as typed:
// otherwise a message names the field and selects it. Two buttons exchange the position with map
// apps through the clipboard, in WGS 84; 住所検索… takes one from the address search.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "core/point_fields.h"
#include "editing/readings.h"
#include "win/dialog.h"
#include "win/ime_readings.h"
#include "win/owned_handle.h"

namespace vondrel {

class PointEditDialog;

// Where the map's positions reach the edit dialog: at the dialog open now through an EditPoint
// call given this inbox, nowhere at other times.
class MapPositionInbox {
public:
    // A position received from the map (display forms), shown in the dialog's map position fields.
    void ShowLatitude(const std::string& display) const;
    void ShowLongitude(const std::string& display) const;

private:
    friend class PointEditDialog;
    PointEditDialog* open = nullptr;
};

// What the dialog needs of its owner besides the point.
struct PointEditServices {
    bool mapAvailable = false;  // enables 地図表示 and 位置取り込み
    // A new icon (the dialog destroys it) for mark image index k, or none when k is no valid index.
    std::function<HICON(int)> markIcon;
    // 地図表示: the point as the dialog was opened with it.
    std::function<void(const PointFields&)> showMap;
    MapPositionInbox* mapPositions = nullptr;
    // The reading of a composition confirmed in the name; the input context's when not set.
    win::ConfirmedReadings::Reader confirmedReading;
    // Asks the map for its mark; the answer arrives through `mapPositions`.
    std::function<void()> askMapPosition;
};

// Shows `fields` (code page 932 texts) for editing; after OK, the fields chosen: the mark "%02d",
// the sound "%d" and the direction centre "%d" of the chosen step's degrees, coordinates and the
// mark number typed in full-width digits made half-width. Nothing when cancelled.
std::optional<PointFields> EditPoint(HWND owner, const PointFields& fields, const PointEditServices& services);

// The dialog EditPoint runs (tests create it modeless and drive it by messages).
class PointEditDialog : public win::Dialog {
public:
    PointEditDialog(const PointFields& fields, PointEditServices services);
    ~PointEditDialog() override;

    // The fields chosen with OK; nothing before, or when the dialog was cancelled.
    const std::optional<PointFields>& Chosen() const { return chosen; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void ShowDirection(int step);
    void UpdateDirectionControls(int soundId);
    void ShowMarkIcon(int index);
    void FitMarkFrame(HICON icon);
    void ReleaseMarkIcon();
    // The edit whose text has a character without a code page 932 form, or 0.
    int FirstEditWithUnstorableText() const;
    void Tell(const std::string& message) const;
    // Shows a message about the field `id` and selects its text for the user to correct.
    void Refuse(int id, const std::string& message);
    void ShowNameBytes();

    void OnSoundChanged();
    void OnDirectionSwitch();
    void OnDirectionBack();
    void OnDirectionForward();
    void OnMarkNumberChanged();
    void OnMarkIconClicked();
    void OnNameChanged();
    // A reading confirmed in the name through the input method, which ふりがな may follow.
    void OnNameReading(const std::wstring& reading);
    bool OnCtlColorStatic(WPARAM dc, LPARAM control, LRESULT& result);
    void OnShowMap();
    void OnCapturePosition();
    void OnPastePosition();
    void OnCopyPosition();
    void OnAddressSearch();
    LRESULT OnClose(WPARAM, LPARAM);
    void OnDestroy(WPARAM, LPARAM);

    // For MapPositionInbox, while the dialog is open.
    friend class MapPositionInbox;
    void ShowMapPosition(int id, const std::string& display);
    bool TakeMapPosition();

    const PointFields opened;  // as the caller gave them: a longer name read from a file is kept
    const PointEditServices services;
    int directionOn = 0;
    int directionStep = 0;
    bool open = false;
    bool captureAsked = false;  // 位置取り込み was pressed before the map's position came
    std::optional<PointFields> chosen;
    win::OwnedIcon markIconShown;  // created by services.markIcon
    win::ConfirmedReadings nameReadings;
    ReadingFollower readingFollower;
};

}  // namespace vondrel
