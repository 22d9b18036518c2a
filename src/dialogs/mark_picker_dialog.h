// MarkPickerDialog: the mark picker (template 160) opened from the edit dialog's mark icon: 55
// icon buttons in 5 rows of 11 with OK and Cancel. A click on a mark picks it and closes the
// picker; OK keeps the mark it was opened with; Cancel, Esc and the close box pick nothing.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "win/dialog.h"
#include "win/owned_handle.h"

namespace vondrel {

class MarkPickerDialog : public win::Dialog {
public:
    // `markIcon`: a new icon for mark image index k (mark k + 1), or none.
    explicit MarkPickerDialog(std::function<HICON(int)> markIcon);
    ~MarkPickerDialog() override;

    // In: the mark shown (its button has the focus); out, after IDOK: the mark picked (1 ... 55,
    // or the one it was opened with).
    int mark = 0;

protected:
    BOOL OnInitDialog() override;

private:
    void Pick(int number);
    void OnDestroy(WPARAM, LPARAM);
    void ReleaseIcons();

    std::function<HICON(int)> markIcon;
    std::vector<win::OwnedIcon> icons;  // set into the buttons
};

}  // namespace vondrel
