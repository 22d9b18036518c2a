// The replace box "置換" (template 172): a text to look for and the text to put in its place,
// in the names, the readings or both, over the rows it is given. While the user types it shows
// how many points will change and lists those whose name will be shortened; "すべて置換" hands
// the request back. A text with a character that code page 932 lacks is refused.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "core/point_table.h"
#include "editing/batch_edits.h"
#include "win/dialog.h"

namespace vondrel {

// Shows the box over `points`' rows `rows` (`selectionOnly`: they are the selected rows, not
// the whole list); the request after すべて置換, nothing when closed.
std::optional<ReplaceRequest> AskReplace(HWND owner, const PointTable& points, std::vector<int> rows, bool selectionOnly);

// The dialog AskReplace runs (tests may create it modeless and drive it by messages).
class ReplaceDialog : public win::Dialog {
public:
    ReplaceDialog(const PointTable& points, std::vector<int> rows, bool selectionOnly);
    const std::optional<ReplaceRequest>& Chosen() const { return chosen; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    ReplaceRequest Request() const;
    void ShowPreview();

    const PointTable& points;
    const std::vector<int> rows;
    const bool selectionOnly;
    std::optional<ReplaceRequest> chosen;
};

}  // namespace vondrel
