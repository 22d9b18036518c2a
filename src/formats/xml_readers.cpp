// GPX and KML readers over pugixml. Elements are matched by their local name (the part after
// any namespace prefix), as producers use default namespaces and prefixes freely. Documents
// are walked without recursion, so nesting depth costs no stack, and each element is looked
// at a bounded number of times, so no nesting costs more than linear time.
#include <pugixml.hpp>

#include <cstring>

#include "formats/point_reading.h"
#include "formats/text_encoding.h"

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

// True when the XML declaration names Shift_JIS or one of its aliases, which pugixml does
// not read; such a document is converted to UTF-8 first.
bool DeclaresShiftJis(std::string_view bytes) {
    bytes = bytes.substr(0, bytes.find("?>"));
    if (bytes.compare(0, 5, "<?xml") != 0) return false;
    const std::size_t at = bytes.find("encoding");
    if (at == std::string_view::npos) return false;
    std::string value;
    for (std::size_t i = bytes.find_first_of("\"'", at) + 1; i > 0 && i < bytes.size(); ++i) {
        if (bytes[i] == '"' || bytes[i] == '\'') break;
        value += static_cast<char>(bytes[i] >= 'A' && bytes[i] <= 'Z' ? bytes[i] + 32 : bytes[i]);
    }
    for (const char* alias : {"shift_jis", "shift-jis", "sjis", "x-sjis", "windows-31j", "cp932", "ms_kanji"}) {
        if (value == alias) return true;
    }
    return false;
}

// The root element of the document in `bytes` when it parses and its root is `rootName`;
// else an empty node, with the refusal message (naming `format`) in `error`.
pugi::xml_node OpenRoot(std::string_view bytes, const std::string& format, const char* rootName,
                        pugi::xml_document& doc, std::string& error) {
    pugi::xml_parse_result parsed;
    if (DeclaresShiftJis(bytes)) {
        const std::string utf8 = Cp932ToUtf8(bytes);
        parsed = doc.load_buffer(utf8.data(), utf8.size(), pugi::parse_default, pugi::encoding_utf8);
    } else {
        parsed = doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_auto);
    }
    if (!parsed) {
        error = format + " ファイルとして読めません: XML の誤り (" + parsed.description() + ", " +
                std::to_string(parsed.offset) + " バイト目)";
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

}  // namespace

ReadResult ReadGpx(std::string_view bytes, const ReadOptions& options) {
    pugi::xml_document doc;
    std::string error;
    const pugi::xml_node root = OpenRoot(bytes, "GPX", "gpx", doc, error);
    if (!root) return Refusal(error);
    PointCollector collector(options);
    RawPoint point;
    std::size_t index = 0;
    for (pugi::xml_node wpt : root.children()) {
        if (Cancelled(options)) return Cancellation();
        if (!IsElement(wpt, "wpt")) continue;
        point.lat = wpt.attribute("lat").value();
        point.lon = wpt.attribute("lon").value();
        point.name = Text(Child(wpt, "name"));
        // Garmin's extension: <extensions><gpxx:WaypointExtension><gpxx:PhoneNumber> in
        // GPX 1.1, directly inside the wpt in GPX 1.0.
        point.tel = Text(FindInside(wpt, "PhoneNumber"));
        point.place = Ordinal(index++);
        collector.Add(point);
    }
    return collector.Finish();
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
            if (const pugi::xml_node point = PointOf(n)) {  // else a line or an area
                SplitCoordinates(Text(Child(point, "coordinates")), p.lon, p.lat);
                p.name = Text(Child(n, "name"));
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
