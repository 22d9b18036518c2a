// PointEditDialog: the modal "編集" dialog (template 153) that edits one point: name, reading,
// coordinates, telephone, mark, sound and approach direction, plus the two map buttons. The
// caller sets the public members before showing it and reads them after OK; the one instance
// lives with the main window and keeps its members between showings.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "win/dialog.h"

namespace vondrel {

class PointEditDialog : public win::Dialog {
public:
    PointEditDialog();
    ~PointEditDialog() override;

    // Exchanged with the caller; code page 932 texts.
    std::string name;
    std::string reading;
    std::string lon;      // display form
    std::string lat;      // display form
    std::string tel;
    std::string date;     // never set by a caller; shown disabled
    std::string time;     // never set by a caller; shown disabled
    std::string mark;     // decimal; "%02d" after OK
    std::string sound;    // decimal; "%d" after OK
    std::string dcenter;  // degrees; "%d" of the step's degrees after OK
    int directionOn = 0;
    int mapAvailable = 0;  // nonzero enables the two map buttons
    int isOpen = 0;        // 1 from the end of the opening until the dialog ends

    // Supplied by the owner: a new icon (the dialog destroys it) for mark image index k, or none
    // when k is not a valid index; and the dialog's "地図表示" action.
    std::function<HICON(int)> markIcon;
    std::function<void(PointEditDialog&)> showMap;

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

    void OnSoundChanged();
    void OnDirectionSwitch();
    void OnDirectionBack();
    void OnDirectionForward();
    void OnMarkNumberChanged();
    void OnMarkIconClicked();
    void OnShowMap();
    void OnCapturePosition();
    LRESULT OnClose(WPARAM, LPARAM);
    void OnDestroy(WPARAM, LPARAM);

    int directionStep = 0;
    HICON markIconShown = nullptr;  // created by markIcon, owned here
};

}  // namespace vondrel
