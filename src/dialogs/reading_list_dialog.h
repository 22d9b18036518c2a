// The list "ふりがなの自動入力" (template IDD_READINGS): the readings proposed for points, each
// beside its point's name with a check, all checked at the start.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "win/dialog.h"

namespace vondrel {

// A point's name and the reading proposed for it (code page 932).
struct ProposedReading {
    std::string name;
    std::string reading;
};

// Shows the list modally; after OK, the indices of the proposals left checked (ascending);
// nothing when cancelled.
std::optional<std::vector<int>> ChooseReadings(HWND owner, const std::vector<ProposedReading>& proposals);

// The dialog ChooseReadings runs (tests find it by its caption and drive its list).
class ReadingListDialog : public win::Dialog {
public:
    explicit ReadingListDialog(const std::vector<ProposedReading>& proposals);
    const std::optional<std::vector<int>>& Chosen() const { return chosen; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    const std::vector<ProposedReading>& proposals;
    std::optional<std::vector<int>> chosen;
};

}  // namespace vondrel
