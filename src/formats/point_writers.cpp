// Writing points for other programs: GPX 1.1 waypoints (the reading as the comment, the
// telephone number in Garmin's waypoint extension), KML 2.2 placemarks, and CSV in UTF-8 with
// a byte-order mark (as spreadsheet programs open it, texts kept from running as formulas), and
// a GeoJSON FeatureCollection of Points; coordinates to seven decimals.
#include <pugixml.hpp>

#include <charconv>
#include <utility>

#include "core/datum.h"
#include "formats/csv_records.h"
#include "formats/point_formats.h"
#include "formats/text_encoding.h"

namespace vondrel::formats {

namespace {

std::string Fixed7(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 7);
    return std::string(buffer, result.ptr);
}

LatLon FilePosition(const FormatPoint& point, Datum datum) {
    const LatLon tokyo{point.lat, point.lon};
    return datum == Datum::Wgs84 ? TokyoToWgs84(tokyo) : tokyo;
}

// A point's code page 932 text in UTF-8, control characters (which XML 1.0 cannot carry)
// as spaces.
std::string Utf8Text(const std::string& cp932) {
    std::string text = Cp932ToUtf8(cp932);
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    }
    return text;
}

class StringWriter : public pugi::xml_writer {
public:
    void write(const void* data, std::size_t size) override { out.append(static_cast<const char*>(data), size); }
    std::string out;
};

pugi::xml_node AddRoot(pugi::xml_document& doc, const char* name) {
    pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    return doc.append_child(name);
}

void AddText(pugi::xml_node parent, const char* name, const std::string& text) {
    parent.append_child(name).text().set(text.c_str());
}

std::string Saved(const pugi::xml_document& doc) {
    StringWriter writer;
    doc.save(writer, "  ", pugi::format_indent, pugi::encoding_utf8);
    return writer.out;
}

std::string WriteGpx(const std::vector<FormatPoint>& points, Datum datum) {
    pugi::xml_document doc;
    pugi::xml_node gpx = AddRoot(doc, "gpx");
    gpx.append_attribute("version") = "1.1";
    gpx.append_attribute("creator") = "Vondrel";
    gpx.append_attribute("xmlns") = "http://www.topografix.com/GPX/1/1";
    gpx.append_attribute("xmlns:gpxx") = "http://www.garmin.com/xmlschemas/GpxExtensions/v3";
    gpx.append_attribute("xmlns:xsi") = "http://www.w3.org/2001/XMLSchema-instance";
    gpx.append_attribute("xsi:schemaLocation") =
        "http://www.topografix.com/GPX/1/1 http://www.topografix.com/GPX/1/1/gpx.xsd "
        "http://www.garmin.com/xmlschemas/GpxExtensions/v3 http://www8.garmin.com/xmlschemas/GpxExtensionsv3.xsd";
    for (const FormatPoint& point : points) {
        const LatLon position = FilePosition(point, datum);
        pugi::xml_node wpt = gpx.append_child("wpt");
        wpt.append_attribute("lat") = Fixed7(position.lat).c_str();
        wpt.append_attribute("lon") = Fixed7(position.lon).c_str();
        AddText(wpt, "name", Utf8Text(point.name));
        if (!point.reading.empty()) AddText(wpt, "cmt", Utf8Text(point.reading));
        if (!point.tel.empty()) {
            pugi::xml_node extension = wpt.append_child("extensions").append_child("gpxx:WaypointExtension");
            AddText(extension, "gpxx:PhoneNumber", Utf8Text(point.tel));
        }
    }
    return Saved(doc);
}

std::string WriteKml(const std::vector<FormatPoint>& points, Datum datum) {
    pugi::xml_document doc;
    pugi::xml_node kml = AddRoot(doc, "kml");
    kml.append_attribute("xmlns") = "http://www.opengis.net/kml/2.2";
    pugi::xml_node document = kml.append_child("Document");
    for (const FormatPoint& point : points) {
        const LatLon position = FilePosition(point, datum);
        pugi::xml_node placemark = document.append_child("Placemark");
        AddText(placemark, "name", Utf8Text(point.name));
        if (!point.tel.empty()) AddText(placemark, "phoneNumber", Utf8Text(point.tel));
        AddText(placemark.append_child("Point"), "coordinates", Fixed7(position.lon) + "," + Fixed7(position.lat));
    }
    return Saved(doc);
}

// A point's text as a cell no spreadsheet runs as a formula.
std::string TextCell(const std::string& cp932) {
    const std::string utf8 = Cp932ToUtf8(cp932);
    return !utf8.empty() && kFormulaStarts.find(utf8.front()) != std::string::npos ? "'" + utf8 : utf8;
}

void AppendCsvField(std::string& out, const std::string& utf8) {
    const bool quote = utf8.find_first_of(",\"\r\n") != std::string::npos ||
                       (!utf8.empty() && (utf8.front() == ' ' || utf8.back() == ' '));
    if (!quote) {
        out += utf8;
        return;
    }
    out += '"';
    for (char c : utf8) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

std::string WriteCsv(const std::vector<FormatPoint>& points, Datum datum) {
    std::string out = "\xEF\xBB\xBFname,reading,lat,lon,tel,mark,sound,direction\r\n";
    for (const FormatPoint& point : points) {
        const LatLon position = FilePosition(point, datum);
        const std::string fields[] = {TextCell(point.name),   TextCell(point.reading), Fixed7(position.lat),
                                      Fixed7(position.lon),   TextCell(point.tel),     std::to_string(point.mark),
                                      Cp932ToUtf8(point.sound), Cp932ToUtf8(point.direction)};
        for (const std::string& field : fields) {
            if (&field != fields) out += ',';
            AppendCsvField(out, field);
        }
        out += "\r\n";
    }
    return out;
}

// A JSON string of UTF-8 text: quotes, backslashes and control characters escaped.
void AppendJsonString(std::string& out, const std::string& utf8) {
    out += '"';
    for (char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            const char* hex = "0123456789abcdef";
            out += "\\u00";
            out += hex[(c >> 4) & 0xF];
            out += hex[c & 0xF];
        } else {
            out += c;
        }
    }
    out += '"';
}

// The editor's fields as properties; the mark, sound and direction as numbers, as they are.
std::string WriteGeoJson(const std::vector<FormatPoint>& points, Datum datum) {
    std::string out = "{\"type\":\"FeatureCollection\",\"features\":[";
    for (const FormatPoint& point : points) {
        const LatLon position = FilePosition(point, datum);
        out += &point == points.data() ? "\n" : ",\n";
        out += "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[" + Fixed7(position.lon) + "," +
               Fixed7(position.lat) + "]},\"properties\":{\"name\":";
        AppendJsonString(out, Cp932ToUtf8(point.name));
        for (const auto& [key, text] : {std::pair<const char*, const std::string*>{"reading", &point.reading}, {"tel", &point.tel}}) {
            if (text->empty()) continue;
            out += std::string(",\"") + key + "\":";
            AppendJsonString(out, Cp932ToUtf8(*text));
        }
        out += ",\"mark\":" + std::to_string(point.mark);
        const bool digits = !point.sound.empty() && point.sound.find_first_not_of("0123456789") == std::string::npos;
        if (digits) out += ",\"sound\":" + point.sound;
        if (!point.direction.empty() && point.direction.find_first_not_of("-0123456789") == std::string::npos) {
            out += ",\"direction\":" + point.direction;
        }
        out += "}}";
    }
    out += "\n]}\n";
    return out;
}

}  // namespace

std::string WritePoints(const std::vector<FormatPoint>& points, Format format, Datum datum) {
    switch (format) {
        case Format::Gpx: return WriteGpx(points, datum);
        case Format::Kml: return WriteKml(points, datum);
        case Format::Csv: return WriteCsv(points, datum);
        case Format::GeoJson: return WriteGeoJson(points, datum);
        default: return std::string();
    }
}

}  // namespace vondrel::formats
