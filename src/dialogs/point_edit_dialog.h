// PointEditDialog: the modal "編集" dialog (template 153) that edits one point: name, reading,
// coordinates, telephone, mark, sound and approach direction, plus the two map buttons. The
// caller sets the public members before showing it and reads them after OK. OK accepts only
// what the table stores as typed: otherwise a message names the field and selects it. Two
// buttons exchange the position with map apps through the clipboard, in WGS 84.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "core/point_fields.h"
#include "win/dialog.h"
#include "win/owned_handle.h"

namespace vondrel {

class PointEditDialog : public win::Dialog {
public:
    PointEditDialog();
    ~PointEditDialog() override;

    // Exchanged with the caller; code page 932 texts. After OK the mark is "%02d", the sound
    // "%d" and the direction centre "%d" of the chosen step's degrees; coordinates and the mark
    // number typed in full-width digits come back half-width.
    PointFields fields;
    std::string date;  // never set by a caller; shown disabled
    std::string time;  // never set by a caller; shown disabled
    bool mapAvailable = false;  // enables the two map buttons

    // Supplied by the owner: a new icon (the dialog destroys it) for mark image index k, or none
    // when k is not a valid index; and the dialog's "地図表示" action.
    std::function<HICON(int)> markIcon;
    std::function<void(PointEditDialog&)> showMap;

    // True from the end of the opening until the dialog ends.
    bool IsOpen() const { return open; }
    // A position received from the map, shown in the map position fields while the dialog is
    // open (display forms); nothing happens when it is not.
    void ShowMapLatitude(const std::string& display) const;
    void ShowMapLongitude(const std::string& display) const;

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
    bool OnCtlColorStatic(WPARAM dc, LPARAM control, LRESULT& result);
    void OnShowMap();
    void OnCapturePosition();
    void OnPastePosition();
    void OnCopyPosition();
    LRESULT OnClose(WPARAM, LPARAM);
    void OnDestroy(WPARAM, LPARAM);

    int directionStep = 0;
    bool open = false;
    std::string openedName;  // the name as the caller gave it: a longer one read from a file is kept
    win::OwnedIcon markIconShown;  // created by markIcon
};

}  // namespace vondrel
