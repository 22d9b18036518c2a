// What the point edit dialog checks before it accepts a point: coordinates the typed form reads
// as they were meant (a longitude of 0 to 180 degrees, a latitude of 0 to 90, minutes and seconds
// below 60, nothing but digits and separators), a mark number of 1 to 55, and a name the table
// stores whole. The messages name the field. Portable, tested natively; code page 932 texts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vondrel {

enum class CoordinateAxis { Longitude, Latitude };

enum class CoordinateProblem {
    None,
    NotACoordinate,  // other characters, more than four parts, or too long
    OutOfRange,      // beyond 180 (longitude) or 90 (latitude) degrees
    Minutes,         // 60 minutes or more
    Seconds,         // 60 seconds or more
};

// Checks a typed coordinate (after text_fold::HalfWidthAscii). An empty text is no position yet
// and passes (it is stored as 0, as before). A third part of three or more digits is seconds and
// milliseconds run together ("15516"), as the map's wire form writes them.
CoordinateProblem CheckTypedCoordinate(std::string_view typed, CoordinateAxis axis);

// The message for a typed coordinate (after text_fold::HalfWidthAscii) that CheckTypedCoordinate
// refuses, naming the axis and showing the form; none when it is a coordinate.
std::optional<std::string> TypedCoordinateMessage(std::string_view typed, CoordinateAxis axis);

// The dialog's fields that are checked, in the order they are checked.
enum class CheckedField { Name, Longitude, Latitude, Mark };

// The texts of the edit dialog as typed (coordinates and mark number already made half-width),
// and the name the dialog was opened with.
struct TypedPoint {
    std::string name;
    std::string originalName;
    std::string lon;
    std::string lat;
    std::string markNumber;
    bool noMark = false;  // the point has no mark ("00"): an empty mark number keeps it so
};

struct InputProblem {
    CheckedField field;
    std::string message;
};

// The first field that cannot be stored as typed, with the message that says why; none when
// all can. A name longer than the table's 16 bytes counts only when it was changed (a longer
// name read from a file is kept as it is).
std::optional<InputProblem> FirstInputProblem(const TypedPoint& typed);

// The typed longitude and latitude (half-width) as a position to hand to a map app: the first
// of the two that is empty or no coordinate, with its message; none when both are positions.
std::optional<InputProblem> TypedPositionProblem(std::string_view lon, std::string_view lat);

// The name's byte count against the table's limit: "12/16".
std::string NameBytesText(std::string_view name);

}  // namespace vondrel
