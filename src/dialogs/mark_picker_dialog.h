// The mark picker (template 160) opened from the edit dialog's mark icon: 55 icon buttons in 5
// rows of 11 with OK and Cancel. A click on a mark picks it and closes the picker; OK keeps the
// mark it was opened with; Cancel, Esc and the close box pick nothing.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

#include "win/dialog.h"
#include "win/owned_handle.h"

namespace vondrel {

// Shows the picker with mark `shown` (1 ... 55: its button has the focus; 0: none); the mark
// picked (or `shown`, with OK), nothing when cancelled. `markIcon`: a new icon for mark image
// index k (mark k + 1), or none.
std::optional<int> PickMark(HWND owner, int shown, std::function<HICON(int)> markIcon);

// The id of the button that shows mark `mark` (1 ... 55).
int MarkButtonId(int mark);

// The dialog PickMark runs (tests create it modeless and drive it by messages).
class MarkPickerDialog : public win::Dialog {
public:
    MarkPickerDialog(int shown, std::function<HICON(int)> markIcon);
    ~MarkPickerDialog() override;

    // The mark shown, and once picked the mark picked.
    int Mark() const { return mark; }

protected:
    BOOL OnInitDialog() override;

private:
    void Pick(int number);
    void OnDestroy(WPARAM, LPARAM);
    void ReleaseIcons();

    int mark;
    std::function<HICON(int)> markIcon;
    std::vector<win::OwnedIcon> icons;  // set into the buttons
};

}  // namespace vondrel
