// Checks of the edit dialog's typed texts, and their messages.
#include "editing/point_input_checks.h"

#include <cstdint>
#include <vector>

#include "core/limits.h"
#include "editing/point_edit_logic.h"

namespace vondrel {

namespace {

constexpr std::int64_t kMsPerDegree = 3600000;
constexpr std::size_t kLongestPart = 9;  // more digits than any part of a real coordinate has

bool IsSeparator(char c) {
    return c == '\'' || c == ' ' || c == ',' || c == '.' || c == '/' || c == '\t' || c == '\n';
}

std::int64_t ValueOf(std::string_view digits) {
    std::int64_t value = 0;
    for (char c : digits) value = value * 10 + (c - '0');
    return value;
}

// The value of a text of decimal digits with blanks around them; none for anything else.
std::optional<std::int64_t> DecimalNumber(std::string_view text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) return std::nullopt;
    text = text.substr(start, text.find_last_not_of(' ') - start + 1);
    if (text.size() > kLongestPart) return std::nullopt;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    return ValueOf(text);
}

std::string AxisName(CoordinateAxis axis) { return axis == CoordinateAxis::Longitude ? "東経" : "北緯"; }

std::string CoordinateMessage(CoordinateProblem problem, CoordinateAxis axis) {
    const std::string name = AxisName(axis);
    // Every message shows the form, since decimal degrees ("139.74224") read as 74224 minutes.
    const std::string form = std::string("\n度.分.秒.ミリ秒 の形で入力してください（例 ") +
                             (axis == CoordinateAxis::Longitude ? "139.44.28.860" : "35.39.31.140") + "）。";
    switch (problem) {
        case CoordinateProblem::OutOfRange:
            return name + (axis == CoordinateAxis::Longitude ? "は 0～180 度の範囲です。" : "は 0～90 度の範囲です。") + form;
        case CoordinateProblem::Minutes: return name + "の分は 0～59 です。" + form;
        case CoordinateProblem::Seconds: return name + "の秒は 0～59 です。" + form;
        default: return name + "を読み取れません。" + form;
    }
}

}  // namespace

CoordinateProblem CheckTypedCoordinate(std::string_view typed, CoordinateAxis axis) {
    if (typed.size() > kTypedCoordinateBytes) return CoordinateProblem::NotACoordinate;
    std::vector<std::string_view> parts;
    for (std::size_t i = 0; i < typed.size();) {
        if (IsSeparator(typed[i])) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < typed.size() && !IsSeparator(typed[i])) {
            if (typed[i] < '0' || typed[i] > '9') return CoordinateProblem::NotACoordinate;
            ++i;
        }
        parts.push_back(typed.substr(start, i - start));
        if (parts.back().size() > kLongestPart) return CoordinateProblem::NotACoordinate;
    }
    if (parts.empty()) return CoordinateProblem::None;
    if (parts.size() > 4) return CoordinateProblem::NotACoordinate;

    const std::int64_t degrees = ValueOf(parts[0]);
    const std::int64_t minutes = parts.size() > 1 ? ValueOf(parts[1]) : 0;
    const std::int64_t maxDegrees = axis == CoordinateAxis::Longitude ? 180 : 90;
    if (degrees > maxDegrees) return CoordinateProblem::OutOfRange;
    if (minutes >= 60) return CoordinateProblem::Minutes;
    std::int64_t milliseconds = 0;
    if (parts.size() > 2) {
        const std::int64_t s = ValueOf(parts[2]);
        if (s >= 60) {
            // Seconds and milliseconds run together need at least three digits; "75" is not 75 ms.
            if (parts[2].size() < 3 || s / 1000 >= 60) return CoordinateProblem::Seconds;
            milliseconds = s;
        } else {
            milliseconds = s * 1000;
            if (parts.size() > 3) milliseconds += ValueOf((std::string(parts[3].substr(0, 3)) + "00").substr(0, 3));
        }
    }
    if ((degrees * 60 + minutes) * 60000 + milliseconds > maxDegrees * kMsPerDegree) return CoordinateProblem::OutOfRange;
    return CoordinateProblem::None;
}

std::optional<std::string> TypedCoordinateMessage(std::string_view typed, CoordinateAxis axis) {
    const CoordinateProblem problem = CheckTypedCoordinate(typed, axis);
    if (problem == CoordinateProblem::None) return std::nullopt;
    return CoordinateMessage(problem, axis);
}

std::optional<InputProblem> FirstInputProblem(const TypedPoint& typed) {
    if (typed.name != typed.originalName && typed.name.size() > kNameLimit) {
        return InputProblem{CheckedField::Name, "地点名称が長すぎます（" + NameBytesText(typed.name) +
                                                    " バイト）。\n全角 8 文字、半角 16 文字までで入力してください。"};
    }
    const struct {
        const std::string& text;
        CoordinateAxis axis;
        CheckedField field;
    } coordinates[] = {{typed.lon, CoordinateAxis::Longitude, CheckedField::Longitude},
                       {typed.lat, CoordinateAxis::Latitude, CheckedField::Latitude}};
    for (const auto& c : coordinates) {
        const CoordinateProblem problem = CheckTypedCoordinate(c.text, c.axis);
        if (problem != CoordinateProblem::None) return InputProblem{c.field, CoordinateMessage(problem, c.axis)};
    }
    if (typed.noMark && typed.markNumber.find_first_not_of(' ') == std::string::npos) return std::nullopt;
    const std::optional<std::int64_t> mark = DecimalNumber(typed.markNumber);
    if (!mark || *mark < point_edit::kFirstMark || *mark > point_edit::kLastMark) {
        return InputProblem{CheckedField::Mark, "２Ｄマークは 1～55 の番号で入力してください。"};
    }
    return std::nullopt;
}

std::optional<InputProblem> TypedPositionProblem(std::string_view lon, std::string_view lat) {
    const struct {
        std::string_view text;
        CoordinateAxis axis;
        CheckedField field;
    } coordinates[] = {{lon, CoordinateAxis::Longitude, CheckedField::Longitude},
                       {lat, CoordinateAxis::Latitude, CheckedField::Latitude}};
    for (const auto& c : coordinates) {
        // An empty field is no position yet: 0 degrees would send the map app off the coast of Africa.
        if (c.text.find_first_not_of(" \t") == std::string_view::npos) {
            return InputProblem{c.field, AxisName(c.axis) + "を入力してください。"};
        }
        const CoordinateProblem problem = CheckTypedCoordinate(c.text, c.axis);
        if (problem != CoordinateProblem::None) return InputProblem{c.field, CoordinateMessage(problem, c.axis)};
    }
    return std::nullopt;
}

std::string NameBytesText(std::string_view name) {
    return std::to_string(name.size()) + "/" + std::to_string(kNameLimit);
}

}  // namespace vondrel
