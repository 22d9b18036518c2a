// StatusBar: a status-bar control created as a child of a dialog, with panes whose right-hand
// ones have fixed widths and whose first takes what is left. Texts are code page 932 or UTF-16.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win/window.h"

namespace vondrel::win {

class StatusBar : public Window {
public:
    StatusBar() = default;

    // Creates the bar at the bottom of `parent` with control id `id`; it sizes itself only when
    // told to (MoveTo), so the owner decides its place.
    bool Create(HWND parent, int id);
    // Pane widths: the first pane stretches, the others have these fixed widths in pixels.
    void SetFixedPanes(const std::vector<int>& widths);
    void SetBackground(COLORREF color) const;
    void SetPaneText(int pane, const std::string& text) const;
    // A pane text that is UTF-16 already (a path, shown with every character it has).
    void SetPaneText(int pane, const std::wstring& text) const;
    std::string PaneText(int pane) const;
    // Moves the bar and lays its panes out again for the new width.
    void MoveTo(int x, int y, int width, int height);
    int Height() const;

private:
    void ApplyParts(int width) const;
    std::vector<int> fixedWidths;
};

}  // namespace vondrel::win
