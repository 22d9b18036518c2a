// GPX and KML readers over pugixml. Elements are matched by their local name (the part after
// any namespace prefix), as producers use default namespaces and prefixes freely. Documents
// are walked without recursion, so nesting depth costs no stack, and each element is looked
// at a bounded number of times, so no nesting costs more than linear time.
#include <pugixml.hpp>

#include <cstring>
#include <unordered_map>

#include "core/datum.h"
#include "formats/point_reading.h"
#include "formats/text_encoding.h"
#include "os/text_codec.h"
#include "os/unicode_text.h"

namespace vondrel::formats {

namespace {

std::string_view LocalName(pugi::xml_node node) {
    const char* name = node.name();
    const char* colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

bool IsElement(pugi::xml_node node, std::string_view localName) {
    return node.type() == pugi::node_element && LocalName(node) == localName;
}

// The element after `node` in document order inside `root`, or an empty node at the end of `root`.
pugi::xml_node NextInside(pugi::xml_node node, pugi::xml_node root) {
    if (node.first_child()) return node.first_child();
    while (node && node != root) {
        if (node.next_sibling()) return node.next_sibling();
        node = node.parent();
    }
    return pugi::xml_node();
}

// The first element named `localName` inside `root`, at any depth.
pugi::xml_node FindInside(pugi::xml_node root, std::string_view localName) {
    for (pugi::xml_node n = NextInside(root, root); n; n = NextInside(n, root)) {
        if (IsElement(n, localName)) return n;
    }
    return pugi::xml_node();
}

pugi::xml_node Child(pugi::xml_node parent, std::string_view localName) {
    for (pugi::xml_node n : parent.children()) {
        if (IsElement(n, localName)) return n;
    }
    return pugi::xml_node();
}

// A placemark's point: its own Point, else the first Point of its MultiGeometry. Only the
// placemark's own elements are looked at, so each element of a document is looked at once
// however placemarks nest.
pugi::xml_node PointOf(pugi::xml_node placemark) {
    if (const pugi::xml_node point = Child(placemark, "Point")) return point;
    for (pugi::xml_node n : placemark.children()) {
        if (!IsElement(n, "MultiGeometry")) continue;
        if (const pugi::xml_node point = Child(n, "Point")) return point;
    }
    return pugi::xml_node();
}

// The element's own text: its text and CDATA children joined.
std::string Text(pugi::xml_node element) {
    std::string text;
    for (pugi::xml_node n : element.children()) {
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) text += n.value();
    }
    return text;
}

bool StartsWith(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }

// The root element of the document in `bytes` when it parses and its root is `rootName`;
// else an empty node, with the refusal message (naming `format`) in `error`. A document in an
// encoding pugixml does not read (any but UTF-8, UTF-16 and UTF-32) is converted to UTF-8 first,
// by the name its XML declaration gives.
pugi::xml_node OpenRoot(std::string_view bytes, const std::string& format, const char* rootName,
                        pugi::xml_document& doc, std::string& error) {
    const std::string unreadable = format + " ファイルとして読めません: ";
    if (bytes.find_first_not_of(" \t\r\n") == std::string_view::npos) {
        error = unreadable + "ファイルが空です";
        return pugi::xml_node();
    }
    const bool marked = StartsWith(bytes, "\xEF\xBB\xBF") || StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF");
    const std::string name = marked ? std::string() : os::DeclaredEncodingName(bytes);
    std::string decoded;
    pugi::xml_encoding encoding = pugi::encoding_auto;
    if (!name.empty() && name != "utf-8" && name != "utf8" && name.compare(0, 6, "utf-16") != 0 && name.compare(0, 6, "utf-32") != 0) {
        if (!os::NamedToUtf8(name, bytes, decoded)) {
            error = unreadable + "文字コード " + name + " は読めません";
            return pugi::xml_node();
        }
        bytes = decoded;
        encoding = pugi::encoding_utf8;
    }
    const pugi::xml_parse_result parsed = doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, encoding);
    if (parsed.status == pugi::status_no_document_element) {
        error = unreadable + "XML ではありません";
        return pugi::xml_node();
    }
    if (!parsed) {
        error = unreadable + "XML の誤り (" + parsed.description();
        // The offset counts the bytes pugixml parsed: the file's own only when they were UTF-8
        // (not UTF-16 or UTF-32, nor converted here).
        const bool fileBytes = decoded.empty() && bytes.find('\0') == std::string_view::npos;
        if (fileBytes && parsed.offset >= 0 && static_cast<std::size_t>(parsed.offset) < bytes.size()) {
            error += ", " + std::to_string(parsed.offset + 1) + " バイト目";
        }
        error += ")";
        return pugi::xml_node();
    }
    if (!IsElement(doc.document_element(), rootName)) {
        error = format + " ファイルではありません (" + rootName + " 要素がありません)";
        return pugi::xml_node();
    }
    return doc.document_element();
}

std::string Ordinal(std::size_t index) { return std::to_string(index + 1) + " 番目の地点"; }

// The first two numbers of KML coordinates ("lon,lat[,alt]", tuples separated by blanks).
void SplitCoordinates(std::string_view text, std::string& lon, std::string& lat) {
    lon.clear();
    lat.clear();
    std::string* targets[] = {&lon, &lat};
    std::size_t found = 0;
    std::size_t i = 0;
    const auto separator = [](char c) { return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (found < 2) {
        while (i < text.size() && separator(text[i])) ++i;
        if (i == text.size()) break;
        const std::size_t start = i;
        while (i < text.size() && !separator(text[i])) ++i;
        targets[found++]->assign(text.substr(start, i - start));
    }
}

std::string WithoutTelScheme(std::string text) {
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    if (start != std::string::npos && text.size() - start >= 4) {
        std::string scheme = text.substr(start, 4);
        for (char& c : scheme) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        if (scheme == "tel:") return text.substr(start + 4);
    }
    return text;
}

// Which route points are taken: named ones that repeat no point taken before (the same name
// within a metre), and how many others were left out.
class RoutePoints {
public:
    // A waypoint, taken.
    void Taken(const RawPoint& point) {
        LatLon at;
        if (Position(point, at)) taken.emplace(Trimmed(point.name), at);
    }
    // Whether a route point is taken (it then counts as taken).
    bool Take(const RawPoint& point) {
        const std::string name = Trimmed(point.name);
        if (name.empty()) return ++unnamed, false;
        LatLon at;
        if (Position(point, at)) {
            const auto [first, last] = taken.equal_range(name);
            for (auto i = first; i != last; ++i) {
                if (TokyoDistanceMeters(i->second, at) <= 1.0) return ++repeated, false;
            }
            taken.emplace(name, at);
        }
        return true;
    }
    void AppendWarning(ReadResult& result) const {
        if (unnamed + repeated == 0) return;
        std::string line = "読み込まなかったルートポイント: ";
        if (unnamed > 0) line += "名前のないもの " + std::to_string(unnamed) + " 件";
        if (repeated > 0) line += (unnamed > 0 ? "、" : "") + std::string("ウェイポイントなどと重なるもの ") + std::to_string(repeated) + " 件";
        result.warnings.push_back(line);
        result.warningsUtf8.push_back(Cp932ToUtf8(line));
    }

private:
    static std::string Trimmed(const std::string& text) {
        const std::size_t start = text.find_first_not_of(" \t\r\n");
        if (start == std::string::npos) return std::string();
        return text.substr(start, text.find_last_not_of(" \t\r\n") - start + 1);
    }
    // Near enough for telling a metre: WGS 84 positions measured on the Bessel ellipsoid.
    static bool Position(const RawPoint& point, LatLon& at) { return ParseCoordinate(point.lat, at.lat) && ParseCoordinate(point.lon, at.lon); }

    std::unordered_multimap<std::string, LatLon> taken;
    std::size_t unnamed = 0;
    std::size_t repeated = 0;
};

}  // namespace

ReadResult ReadGpx(std::string_view bytes, const ReadOptions& options) {
    pugi::xml_document doc;
    std::string error;
    const pugi::xml_node root = OpenRoot(bytes, "GPX", "gpx", doc, error);
    if (!root) return Refusal(error);
    PointCollector collector(options);
    RoutePoints routes;
    RawPoint point;
    std::size_t index = 0;
    const auto read = [&](pugi::xml_node wpt) {
        point.lat = wpt.attribute("lat").value();
        point.lon = wpt.attribute("lon").value();
        point.name = Text(Child(wpt, "name"));
        // Garmin's extension: <extensions><gpxx:WaypointExtension><gpxx:PhoneNumber> in
        // GPX 1.1, directly inside the wpt in GPX 1.0.
        point.tel = Text(FindInside(wpt, "PhoneNumber"));
        point.place = Ordinal(index++);
    };
    bool tracks = false;
    for (pugi::xml_node wpt : root.children()) {
        if (Cancelled(options)) return Cancellation();
        tracks = tracks || IsElement(wpt, "trk");
        if (!IsElement(wpt, "wpt")) continue;
        read(wpt);
        routes.Taken(point);
        collector.Add(point);
    }
    // Named route points after the waypoints, but for those that repeat one.
    for (pugi::xml_node rte : root.children()) {
        if (!IsElement(rte, "rte")) continue;
        for (pugi::xml_node rtept : rte.children()) {
            if (Cancelled(options)) return Cancellation();
            if (!IsElement(rtept, "rtept")) continue;
            read(rtept);
            if (routes.Take(point)) collector.Add(point);
        }
    }
    ReadResult result = collector.Finish();
    routes.AppendWarning(result);
    if (!result.error.empty() && tracks && result.error == "地点がありません") {
        result.error = "地点がありません (トラックの点は地点として読み込みません)";
    }
    return result;
}

ReadResult ReadKml(std::string_view bytes, const ReadOptions& options) {
    pugi::xml_document doc;
    std::string error;
    const pugi::xml_node root = OpenRoot(bytes, "KML", "kml", doc, error);
    if (!root) return Refusal(error);
    PointCollector collector(options);
    RawPoint p;
    std::size_t index = 0;
    std::size_t depth = 0;  // of `n` below the root
    for (pugi::xml_node n = root; n;) {
        if (Cancelled(options)) return Cancellation();
        if (IsElement(n, "Placemark")) {
            const pugi::xml_node point = PointOf(n);
            const std::string address = point ? std::string() : Text(Child(n, "address"));
            // A placemark with a point, or one known by its address only (kept without a
            // position); else a line or an area.
            if (point || address.find_first_not_of(" \t\r\n") != std::string::npos) {
                SplitCoordinates(point ? Text(Child(point, "coordinates")) : std::string(), p.lon, p.lat);
                p.noPosition = !point;
                p.name = Text(Child(n, "name"));
                if (!point && p.name.find_first_not_of(" \t\r\n") == std::string::npos) p.name = address;
                p.tel = WithoutTelScheme(Text(Child(n, "phoneNumber")));
                p.place = Ordinal(index++);
                collector.Add(p);
            }
        }
        if (n.first_child()) {
            n = n.first_child();
            if (++depth > options.maxKmlDepth) {
                return Refusal("KML の要素の入れ子が深すぎます (" + std::to_string(options.maxKmlDepth) + " 段を超えます)");
            }
            continue;
        }
        while (n != root && !n.next_sibling()) {
            n = n.parent();
            --depth;
        }
        n = n == root ? pugi::xml_node() : n.next_sibling();
    }
    return collector.Finish();
}

}  // namespace vondrel::formats
