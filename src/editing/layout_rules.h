// The main window's layout arithmetic: where the two lists go in the edit screen and the import
// view, where the button column goes, and the smallest window size. Portable, tested natively.
#pragma once

namespace vondrel {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct ListLayout {
    Rect mainList;
    Rect importList;    // only in the import view
    Rect importChoice;  // only in the import view: the control under the import list
};

// clientWidth/Height of the dialog, buttonWidth of button IDC_MAIN_CHANGE (変更), buttonHeight the
// room above the lists (that button's height, or the bottom of the row above the lists where that
// is lower), statusHeight of the bar, all in the window's pixels; the margins between them are pixels at 96 DPI scaled to `dpi`.
ListLayout EditViewLayout(int clientWidth, int clientHeight, int buttonWidth, int buttonHeight, int statusHeight,
                          int dpi = 96);
// `choiceHeight`: the height of the control that stands under the import list, as wide as it.
ListLayout ImportViewLayout(int clientWidth, int clientHeight, int buttonWidth, int buttonHeight, int statusHeight,
                            int choiceHeight = 0, int dpi = 96);

// The x of a button whose right edge sits 5 pixels (at 96 DPI) from the client's right edge.
int RightAlignedX(int clientWidth, int buttonWidth, int dpi = 96);
// The y of the close button, its bottom edge on the top of the status bar.
int CloseButtonY(int clientHeight, int statusHeight, int buttonHeight);

// A proposed outer rectangle grown to the minimum size (the right and bottom edges move).
struct Edges {
    long left, top, right, bottom;
};
Edges EnforceMinimumSize(Edges proposed, int minimumWidth, int minimumHeight);

}  // namespace vondrel
