// The readers' common ground: each reader takes its format apart into raw points (texts as
// the file has them, in UTF-8) and hands them one by one to a PointCollector, which turns
// them into the table's terms.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/point_warning_list.h"
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
    std::string place;      // code page 932: where the point stands, for one without a name
    bool noPosition = false;  // the place is known, not where it is: kept without a position
};

// One warning line about points, naming them: in code page 932 by their converted texts, and
// in UTF-8 by the file's own (a name with characters code page 932 lacks reads as written).
class NamedPointList {
public:
    explicit NamedPointList(const char* text) : cp932Lines(text), utf8Lines(text) {}
    // `cp932` and `utf8` name the same point.
    void Add(const std::string& cp932, const std::string& utf8);
    std::size_t Count() const { return cp932Lines.Count(); }
    void AppendLines(ReadResult& result) const;

private:
    PointWarningList cp932Lines;
    PointWarningList utf8Lines;  // named by placeholders for `utf8Names`
    std::vector<std::string> utf8Names;
};

// Checks and converts raw points: positions read and shifted to the Tokyo datum, texts
// converted to code page 932, the optional CSV fields checked. Points without a usable
// position are left out (those known to have none are kept, marked), and so are those past
// the options' maximum (only counted). Each kind of trouble gets one warning line listing
// the points concerned.
class PointCollector {
public:
    explicit PointCollector(const ReadOptions& options) : options(options) {}

    void Add(const RawPoint& raw);

    // The points and warnings; with no usable point, an error instead saying why.
    ReadResult Finish();

private:
    using PointList = NamedPointList;

    const ReadOptions& options;
    ReadResult result;
    std::size_t seen = 0;
    PointList noPosition{"位置が読めないため読み込まなかった地点"};
    PointList outOfRange{"位置が東経・北緯の範囲外のため読み込まなかった地点"};
    PointList abroad{"日本の範囲外にあるが読み込んだ地点"};
    PointList unmappable{"Shift_JIS にない文字を「?」にした地点"};
    PointList undecodable{"ファイルの文字コードで読めないバイトを「?」にした地点"};
    PointList longNames{"名称が16バイトを超え、切り詰められる地点"};
    PointList longTexts{"1023 バイトを超える文字列を切り詰めた地点"};
    PointList badValues{"マーク・音・方向の値が読めないため既定値にした地点"};
};

// A coordinate text in decimal degrees (with an optional sign) or in the display form of
// degrees, minutes, seconds and milliseconds; false when it is neither.
bool ParseCoordinate(std::string_view text, double& degrees);

// The readers of each format; an error text (code page 932) when the bytes are not of it.
ReadResult ReadGpx(std::string_view bytes, const ReadOptions& options);
ReadResult ReadKml(std::string_view bytes, const ReadOptions& options);
ReadResult ReadKmz(std::string_view bytes, const ReadOptions& options);
ReadResult ReadCsv(std::string_view bytes, const ReadOptions& options);
ReadResult ReadGeoJson(std::string_view bytes, const ReadOptions& options);

// A refusal with this message.
ReadResult Refusal(std::string message);

// Whether the reader was told to stop, and the refusal it then gives.
inline bool Cancelled(const ReadOptions& options) { return options.cancel && options.cancel->load(std::memory_order_relaxed); }
ReadResult Cancellation();

}  // namespace vondrel::formats
