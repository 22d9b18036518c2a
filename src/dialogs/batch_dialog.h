// The batch change "一括変更" (template 171) for two or more selected points: the mark (number
// with its up-down, and the picker behind the icon), the sound, the direction switch and the
// direction. Each has a "変更する" check that turns on as soon as its control is changed; only
// the checked fields are handed back. The dialog says how many points it changes.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "core/point_fields.h"
#include "editing/batch_edits.h"
#include "win/dialog.h"
#include "win/owned_handle.h"

namespace vondrel {

// Shows the dialog for `count` points, its controls starting from `shown` (the first selected
// point); the checked fields after OK, nothing when cancelled. `markIcon`: a new icon for mark
// image index k, or none.
std::optional<BatchChange> AskBatchChange(HWND owner, const PointFields& shown, int count,
                                          std::function<HICON(int)> markIcon);

// The dialog AskBatchChange runs (tests may create it modeless and drive it by messages).
class BatchDialog : public win::Dialog {
public:
    BatchDialog(const PointFields& shown, int count, std::function<HICON(int)> markIcon);
    ~BatchDialog() override;
    const std::optional<BatchChange>& Chosen() const { return chosen; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void Check(int id) const;
    bool Checked(int id) const;
    void ShowMarkIcon(int index);
    void OnMarkNumberChanged();
    void OnMarkIconClicked();
    void OnSoundChanged();
    void OnDirectionSwitch();
    void OnDirectionStep(int delta);
    void OnDestroy(WPARAM, LPARAM);

    const PointFields shown;
    const int count;
    std::function<HICON(int)> markIcon;
    int directionStep = 0;
    bool open = false;  // controls filled: a change from now on is the user's
    win::OwnedIcon markIconShown;
    std::optional<BatchChange> chosen;
};

}  // namespace vondrel
