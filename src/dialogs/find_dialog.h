// FindDialog: the small find box "検索" (template 162), modeless and owned by the main window.
// Its button, or Enter, hands the text to the owner's find; Esc, 閉じる and the close box close
// it. The owner keeps the object and routes the box's keyboard messages (IsDialogMessage).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "win/dialog.h"

namespace vondrel {

class FindDialog : public win::Dialog {
public:
    FindDialog();

    // The text shown when the box opens (code page 932).
    std::string text;
    // Called with the box's text for 次を検索.
    std::function<void(const std::string&)> findNext;

    // Opens the box over `owner` (or brings it back to the front), with its text selected.
    void Open(HWND owner);
    bool IsOpen() const { return Hwnd() != nullptr; }
    // Moves the box off `area` (screen coordinates: the row just found), below it or above it.
    void KeepClearOf(const RECT& area) const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
};

}  // namespace vondrel
