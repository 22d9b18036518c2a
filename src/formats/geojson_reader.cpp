// GeoJSON (RFC 7946: WGS 84, positions [lon, lat]) points: every Point and every point of a
// MultiPoint, in a FeatureCollection, a Feature or a bare geometry, GeometryCollections nested.
// Google Takeout's saved places are such a FeatureCollection whose features tell the place in
// their properties (Title and Location, or location) with a Maps link; one at [0, 0] has its
// position in the link, or none. Read with simdjson's On-Demand API in one pass, in whatever
// order the members come; the nesting followed and the file's size are limited.
#include <simdjson.h>

#include <utility>

#include "core/link_position.h"
#include "formats/point_reading.h"

namespace vondrel::formats {

namespace {

namespace od = simdjson::ondemand;
using simdjson::error_code;

// Bounds the memory a file of tiny points costs (about ten times its size); far above any list of places.
constexpr std::size_t kMaxJsonBytes = 16u * 1024u * 1024u;
constexpr int kMaxDepth = 64;  // objects and arrays nested below the root that the reader follows

struct Position {
    std::string lon, lat;  // texts as the collector reads them
};

struct Properties {
    std::string name, reading, tel, mark, sound, direction;
    std::string businessName, address, url;  // Takeout's place and its Maps link
    Position coordinates;                      // the older Takeout's "Geo Coordinates"
    bool place = false;                        // it says which place the feature is
};

// What one object held: its type, its coordinates (a Point's one position, a MultiPoint's
// each), the points of its geometry or geometries, and its properties.
struct Node {
    std::string type;
    std::vector<Position> coordinates;
    std::vector<Position> geometryPoints;
    Properties properties;
};

// A string as it is, a number as its fixed decimals, anything else as nothing.
error_code ReadText(od::value& value, std::string& text) {
    od::json_type type;
    if (error_code error = value.type().get(type)) return error;
    if (type == od::json_type::string) {
        std::string_view view;
        if (error_code error = value.get_string().get(view)) return error;
        text.assign(view);
    } else if (type == od::json_type::number) {
        double number = 0;
        // A number no double holds (1e999) is no coordinate: it stays unreadable.
        text = value.get_double().get(number) == simdjson::SUCCESS ? DegreesText(number) : std::string("-");
    }
    return simdjson::SUCCESS;
}

bool IsZero(const std::string& text) {
    double value = 1;
    return ParseCoordinate(text, value) && value == 0;
}

class Reader {
public:
    explicit Reader(const ReadOptions& options) : options(options), collector(options) {}

    error_code ReadRoot(od::object& root) {
        Node node;
        if (error_code error = ReadObject(root, 0, node)) return error;
        if (node.type == "Feature") return Emit(node, 0), simdjson::SUCCESS;
        for (const Position& position : GeometryPoints(node)) Add(position, Properties(), ++features);
        return simdjson::SUCCESS;
    }

    ReadResult Finish() {
        ReadResult result = collector.Finish();
        if (skipped == 0) return result;
        const std::string count = std::to_string(skipped);
        if (!result.error.empty()) {
            result.error = "点 (Point) の地物がありません（線・面などの図形 " + count + " 個は読み込みません）";
        } else {
            result.warnings.push_back("点 (Point) でない図形 " + count + " 個は読み込みませんでした");
        }
        return result;
    }

    bool cancelled = false;

private:
    error_code ReadObject(od::object& object, int depth, Node& node) {
        if (depth > kMaxDepth) return simdjson::DEPTH_ERROR;
        for (auto member : object) {
            od::field field;
            std::string_view key;
            if (error_code error = std::move(member).get(field)) return error;
            if (error_code error = field.unescaped_key().get(key)) return error;
            od::value& value = field.value();
            od::json_type type;
            if (error_code error = value.type().get(type)) return error;
            error_code error = simdjson::SUCCESS;
            if (key == "type" && type == od::json_type::string) {
                error = ReadText(value, node.type);
            } else if (key == "coordinates" && type == od::json_type::array) {
                error = ReadCoordinates(value, node.coordinates);
            } else if (key == "geometry" && type == od::json_type::object) {
                error = ReadGeometry(value, depth + 1, node.geometryPoints);
            } else if (key == "geometries" && type == od::json_type::array) {
                error = ReadEach(value, [&](od::value& item) { return ReadGeometry(item, depth + 2, node.geometryPoints); });
            } else if (key == "features" && type == od::json_type::array) {
                error = ReadEach(value, [&](od::value& item) { return ReadFeature(item, depth + 2); });
            } else if (key == "properties" && type == od::json_type::object) {
                error = ReadProperties(value, node.properties, true);
            }
            if (error) return error;
            if (cancelled) return simdjson::SUCCESS;
        }
        return simdjson::SUCCESS;
    }

    template <typename Each>
    static error_code ReadEach(od::value& value, Each each) {
        od::array array;
        if (error_code error = value.get_array().get(array)) return error;
        for (auto element : array) {
            od::value item;
            if (error_code error = std::move(element).get(item)) return error;
            if (error_code error = each(item)) return error;
        }
        return simdjson::SUCCESS;
    }

    // A position's first two numbers; `deeper` when it holds arrays (a line's or an area's).
    static error_code ReadPosition(od::value& value, Position& position, bool& deeper) {
        std::size_t index = 0;
        return ReadEach(value, [&](od::value& item) {
            od::json_type type;
            if (error_code error = item.type().get(type)) return error;
            if (type == od::json_type::array) deeper = true;
            if (index < 2 && type != od::json_type::array) {
                if (error_code error = ReadText(item, index == 0 ? position.lon : position.lat)) return error;
            }
            ++index;
            return simdjson::SUCCESS;
        });
    }

    // A Point's [lon, lat] or a MultiPoint's [[lon, lat], …]; a line's or an area's deeper
    // arrays give none.
    static error_code ReadCoordinates(od::value& value, std::vector<Position>& positions) {
        Position single;
        bool nested = false, deeper = false;
        std::vector<Position> list;
        std::size_t index = 0;
        error_code error = ReadEach(value, [&](od::value& item) {
            od::json_type type;
            if (error_code e = item.type().get(type)) return e;
            const std::size_t at = index++;
            if (type != od::json_type::array) return at < 2 ? ReadText(item, at == 0 ? single.lon : single.lat) : simdjson::SUCCESS;
            nested = true;
            list.emplace_back();
            return ReadPosition(item, list.back(), deeper);
        });
        if (error || deeper || index == 0) return error;
        if (nested) {
            positions.insert(positions.end(), list.begin(), list.end());
        } else {
            positions.push_back(std::move(single));
        }
        return simdjson::SUCCESS;
    }

    std::vector<Position> GeometryPoints(Node& node) {
        if (node.type == "Point" || node.type == "MultiPoint") return std::move(node.coordinates);
        if (node.type == "GeometryCollection" || node.type == "FeatureCollection" || node.type == "Feature") {
            return std::move(node.geometryPoints);
        }
        if (!node.type.empty()) ++skipped;
        return {};
    }

    error_code ReadGeometry(od::value& value, int depth, std::vector<Position>& points) {
        od::object object;
        if (value.get_object().get(object) != simdjson::SUCCESS) return simdjson::SUCCESS;  // not an object: no geometry
        Node node;
        if (error_code error = ReadObject(object, depth, node)) return error;
        if (node.type == "Feature" || node.type == "FeatureCollection") node.type.clear();
        for (Position& position : GeometryPoints(node)) points.push_back(std::move(position));
        return simdjson::SUCCESS;
    }

    error_code ReadFeature(od::value& value, int depth) {
        if (Cancelled(options)) cancelled = true;
        od::object object;
        if (cancelled || value.get_object().get(object) != simdjson::SUCCESS) return simdjson::SUCCESS;
        Node node;
        const std::size_t skippedBefore = skipped;
        if (error_code error = ReadObject(object, depth, node)) return error;
        Emit(node, skippedBefore);
        return simdjson::SUCCESS;
    }

    // The members of properties that name the point; `top` for the feature's own (Takeout's
    // Location object holds the place's name, address and coordinates).
    error_code ReadProperties(od::value& value, Properties& properties, bool top) {
        od::object object;
        if (error_code error = value.get_object().get(object)) return error;
        for (auto member : object) {
            od::field field;
            std::string_view key;
            if (error_code error = std::move(member).get(field)) return error;
            if (error_code error = field.unescaped_key().get(key)) return error;
            od::value& item = field.value();
            std::string* text = nullptr;
            if (top) {
                if (key == "name" || key == "title" || key == "Title" || key == u8"名称") text = &properties.name;
                if (key == "tel" || key == "phone" || key == u8"電話番号") text = &properties.tel;
                if (key == "reading") text = &properties.reading;
                if (key == "mark") text = &properties.mark;
                if (key == "sound") text = &properties.sound;
                if (key == "direction") text = &properties.direction;
                if (key == "google_maps_url" || key == "Google Maps URL") text = &properties.url;
                if (key == "Location" || key == "location") {
                    od::json_type type;
                    if (item.type().get(type) == simdjson::SUCCESS && type == od::json_type::object) {
                        if (error_code error = ReadProperties(item, properties, false)) return error;
                    }
                }
            } else {
                if (key == "Business Name" || key == "name") text = &properties.businessName;
                if (key == "Address" || key == "address") text = &properties.address;
                if (key == "Latitude") text = &properties.coordinates.lat;
                if (key == "Longitude") text = &properties.coordinates.lon;
                if (key == "Geo Coordinates") {
                    od::json_type type;
                    if (item.type().get(type) == simdjson::SUCCESS && type == od::json_type::object) {
                        if (error_code error = ReadProperties(item, properties, false)) return error;
                    }
                }
            }
            if (text && text->empty()) {
                if (error_code error = ReadText(item, *text)) return error;
            }
        }
        Properties& p = properties;
        p.place = p.place || !p.name.empty() || !p.businessName.empty() || !p.address.empty() || !p.url.empty();
        return simdjson::SUCCESS;
    }

    // A feature's points; one at [0, 0], or without any geometry, that names a place takes its
    // position from Takeout's coordinates or the link, else it has none. `skippedBefore`: the
    // count of other geometries before the feature was read (a line is no place without position).
    void Emit(Node& node, std::size_t skippedBefore) {
        const std::size_t feature = ++features;
        node.type = "Feature";
        std::vector<Position> points = GeometryPoints(node);
        const bool unplaced = (points.empty() && skipped == skippedBefore) ||
                              (points.size() == 1 && IsZero(points[0].lon) && IsZero(points[0].lat));
        if (!unplaced || !node.properties.place) {
            for (const Position& position : points) Add(position, node.properties, feature);
            return;
        }
        Position position = node.properties.coordinates;
        if (position.lat.empty() || position.lon.empty() || (IsZero(position.lat) && IsZero(position.lon))) {
            position = Position();
            if (const auto linked = ParseLinkPosition(node.properties.url)) {
                position = {DegreesText(linked->lon), DegreesText(linked->lat)};
            }
        }
        Add(position, node.properties, feature);
    }

    void Add(const Position& position, const Properties& properties, std::size_t feature) {
        RawPoint point;
        point.name = !properties.name.empty() ? properties.name : !properties.businessName.empty() ? properties.businessName : properties.address;
        point.reading = properties.reading;
        point.tel = properties.tel;
        point.mark = properties.mark;
        point.sound = properties.sound;
        point.direction = properties.direction;
        point.lon = position.lon;
        point.lat = position.lat;
        point.noPosition = position.lon.empty() && position.lat.empty() && properties.place;
        point.place = std::to_string(feature) + " 番目の地物";
        collector.Add(point);
    }

    const ReadOptions& options;
    PointCollector collector;
    std::size_t features = 0;
    std::size_t skipped = 0;
};

}  // namespace

ReadResult ReadGeoJson(std::string_view bytes, const ReadOptions& options) {
    if (bytes.size() > kMaxJsonBytes) return Refusal("16 MiB を超える JSON ファイルは読めません");
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.remove_prefix(3);
    const simdjson::padded_string json(bytes.data(), bytes.size());
    od::parser parser;
    od::document document;
    od::object root;
    error_code error = parser.iterate(json).get(document);
    if (!error) error = document.get_object().get(root);
    if (error == simdjson::INCORRECT_TYPE) return Refusal("GeoJSON ではありません（最上位がオブジェクトではありません）");
    Reader reader(options);
    if (!error) error = reader.ReadRoot(root);
    // Past the root's end there may be nothing but blanks.
    if (!error && !reader.cancelled && document.current_location().error() != simdjson::OUT_OF_BOUNDS) error = simdjson::TRAILING_CONTENT;
    if (error == simdjson::DEPTH_ERROR) return Refusal("JSON の入れ子が深すぎるため読めません");
    if (error) return Refusal(std::string("JSON として読めません (") + simdjson::error_message(error) + ")");
    if (reader.cancelled) return Cancellation();
    return reader.Finish();
}

}  // namespace vondrel::formats
