// FindDialog: the small find box "検索" (template 162), modeless and owned by the main window.
// Its button, or Enter, hands the text to the owner's find; Esc, 閉じる and the close box close
// it, the text kept for the next opening and for F3. The owner keeps the object and routes the
// box's keyboard messages (IsDialogMessage).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "win/dialog.h"

namespace vondrel {

class FindDialog : public win::Dialog {
public:
    // `findNext`: called with the box's text for 次を検索.
    explicit FindDialog(std::function<void(const std::string&)> findNext);

    // Opens the box over `owner` (or brings it back to the front), with its text selected.
    void Open(HWND owner);
    bool IsOpen() const { return Hwnd() != nullptr; }
    // The text last handed on or left in the box (code page 932): the one F3 finds again.
    const std::string& Text() const { return text; }
    // Moves the box off `area` (screen coordinates: the row just found), below it or above it.
    void KeepClearOf(const RECT& area) const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    std::function<void(const std::string&)> findNext;
    std::string text;
};

}  // namespace vondrel
