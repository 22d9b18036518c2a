// Main window layout arithmetic.
#include "editing/layout_rules.h"

namespace vondrel {

namespace {
int ListTop(int buttonHeight) { return buttonHeight + 5; }
int ListHeight(int clientHeight, int statusHeight, int buttonHeight) {
    return (clientHeight - statusHeight - 2) - ListTop(buttonHeight);
}
}  // namespace

ListLayout EditViewLayout(int clientWidth, int clientHeight, int buttonWidth, int buttonHeight, int statusHeight) {
    ListLayout layout;
    layout.mainList = {0, ListTop(buttonHeight), clientWidth - buttonWidth - 10,
                       ListHeight(clientHeight, statusHeight, buttonHeight)};
    return layout;
}

ListLayout ImportViewLayout(int clientWidth, int clientHeight, int buttonWidth, int buttonHeight, int statusHeight,
                            int choiceHeight) {
    const int area = clientWidth - buttonWidth - 10;
    const int half = area / 2;  // truncated toward zero: the main list gets the odd pixel
    const int top = ListTop(buttonHeight);
    const int height = ListHeight(clientHeight, statusHeight, buttonHeight);
    ListLayout layout;
    layout.mainList = {half, top, area - half, height};
    const int choiceSpace = choiceHeight > 0 ? choiceHeight + 2 : 0;
    layout.importList = {0, top, half, height - choiceSpace};
    if (choiceHeight > 0) layout.importChoice = {0, top + height - choiceHeight, half, choiceHeight};
    return layout;
}

int RightAlignedX(int clientWidth, int buttonWidth) { return clientWidth - buttonWidth - 5; }

int CloseButtonY(int clientHeight, int statusHeight, int buttonHeight) {
    return clientHeight - statusHeight - buttonHeight;
}

Edges EnforceMinimumSize(Edges proposed, int minimumWidth, int minimumHeight) {
    if (proposed.right - proposed.left < minimumWidth) proposed.right = proposed.left + minimumWidth;
    if (proposed.bottom - proposed.top < minimumHeight) proposed.bottom = proposed.top + minimumHeight;
    return proposed;
}

}  // namespace vondrel
