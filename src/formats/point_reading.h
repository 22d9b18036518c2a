// The readers' common ground: each reader takes its format apart into raw points (texts as
// the file has them, in UTF-8), and FinishPoints turns those into the table's terms.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "formats/point_formats.h"

namespace vondrel::formats {

struct RawPoint {
    std::string name;       // UTF-8, as in the file
    std::string reading;
    std::string tel;
    std::string lat;        // decimal degrees, or the display form "35.40.40.584"
    std::string lon;
    std::string mark;       // CSV only: decimal mark number, sound id, direction in degrees
    std::string sound;
    std::string direction;
    std::string place;      // where the point stands in the file, for a point without a name
};

// Checks and converts the raw points: positions read and shifted to the Tokyo datum, texts
// converted to code page 932, the optional CSV fields checked. Points without a usable
// position are left out; every point a warning is about is listed in that warning's line.
// With no point left, the result holds an error instead.
ReadResult FinishPoints(const std::vector<RawPoint>& raw, const ReadOptions& options);

// A coordinate text in decimal degrees (with an optional sign) or in the display form of
// degrees, minutes, seconds and milliseconds; false when it is neither.
bool ParseCoordinate(std::string_view text, double& degrees);

// The readers of each format; an error text (code page 932) when the bytes are not of it.
ReadResult ReadGpx(std::string_view bytes, const ReadOptions& options);
ReadResult ReadKml(std::string_view bytes, const ReadOptions& options);
ReadResult ReadKmz(std::string_view bytes, const ReadOptions& options);
ReadResult ReadCsv(std::string_view bytes, const ReadOptions& options);

// A refusal with this message.
ReadResult Refusal(std::string message);

}  // namespace vondrel::formats
