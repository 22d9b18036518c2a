// Main window layout arithmetic.
#include "editing/layout_rules.h"

#include "editing/window_scale.h"

namespace vondrel {

namespace {
int ListTop(int buttonHeight, int dpi) { return buttonHeight + ScalePixels(5, dpi); }
int ListHeight(int clientHeight, int statusHeight, int buttonHeight, int dpi) {
    return (clientHeight - statusHeight - ScalePixels(2, dpi)) - ListTop(buttonHeight, dpi);
}
// The room left of the button column: the column and a margin either side of it.
int ListArea(int clientWidth, int buttonWidth, int dpi) { return clientWidth - buttonWidth - 2 * ScalePixels(5, dpi); }
}  // namespace

ListLayout EditViewLayout(int clientWidth, int clientHeight, int buttonWidth, int buttonHeight, int statusHeight,
                          int dpi) {
    ListLayout layout;
    layout.mainList = {0, ListTop(buttonHeight, dpi), ListArea(clientWidth, buttonWidth, dpi),
                       ListHeight(clientHeight, statusHeight, buttonHeight, dpi)};
    return layout;
}

ListLayout ImportViewLayout(int clientWidth, int clientHeight, int buttonWidth, int buttonHeight, int statusHeight,
                            int choiceHeight, int dpi) {
    const int area = ListArea(clientWidth, buttonWidth, dpi);
    const int half = area / 2;  // truncated toward zero: the main list gets the odd pixel
    const int top = ListTop(buttonHeight, dpi);
    const int height = ListHeight(clientHeight, statusHeight, buttonHeight, dpi);
    ListLayout layout;
    layout.mainList = {half, top, area - half, height};
    const int choiceSpace = choiceHeight > 0 ? choiceHeight + ScalePixels(2, dpi) : 0;
    layout.importList = {0, top, half, height - choiceSpace};
    if (choiceHeight > 0) layout.importChoice = {0, top + height - choiceHeight, half, choiceHeight};
    return layout;
}

int RightAlignedX(int clientWidth, int buttonWidth, int dpi) { return clientWidth - buttonWidth - ScalePixels(5, dpi); }

int CloseButtonY(int clientHeight, int statusHeight, int buttonHeight) {
    return clientHeight - statusHeight - buttonHeight;
}

Edges EnforceMinimumSize(Edges proposed, int minimumWidth, int minimumHeight) {
    if (proposed.right - proposed.left < minimumWidth) proposed.right = proposed.left + minimumWidth;
    if (proposed.bottom - proposed.top < minimumHeight) proposed.bottom = proposed.top + minimumHeight;
    return proposed;
}

}  // namespace vondrel
