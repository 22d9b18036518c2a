// Warning lines naming the points they concern.
#include "core/point_warning_list.h"

#include "core/cp932.h"

namespace vondrel {

namespace {
constexpr std::size_t kListedPoints = 10;
constexpr std::size_t kLabelBytes = 40;
}  // namespace

void PointWarningList::Add(const std::string& label) {
    if (++count > kListedPoints) return;
    const std::string_view shown = cp932::TruncateAtCharBoundary(label, kLabelBytes);
    labels.push_back(shown.size() < label.size() ? std::string(shown) + "…" : label);
}

void PointWarningList::AppendLine(std::vector<std::string>& lines) const {
    if (count == 0) return;
    std::string line = text;
    line += " (" + std::to_string(count) + " 件): ";
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (i > 0) line += "、";
        line += labels[i];
    }
    if (count > labels.size()) line += " ほか " + std::to_string(count - labels.size()) + " 件";
    lines.push_back(line);
}

}  // namespace vondrel
