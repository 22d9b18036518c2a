// The points one warning about a read file is about: how many, and the first few of them by
// name, written as one line "TEXT (N 件): A、B、… ほか M 件". Code page 932.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vondrel {

class PointWarningList {
public:
    explicit PointWarningList(const char* text) : text(text) {}
    // Counts a point; the first ten are named by `label` (cut to 40 bytes).
    void Add(const std::string& label);
    std::size_t Count() const { return count; }
    // Appends the line when any point was counted.
    void AppendLine(std::vector<std::string>& lines) const;

private:
    const char* text;
    std::vector<std::string> labels;
    std::size_t count = 0;
};

}  // namespace vondrel
