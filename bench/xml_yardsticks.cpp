// The yardstick parsers over a glorie file's bytes.
#include "xml_yardsticks.h"

#include <expat.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <pugixml.hpp>

#include <cstring>

namespace vondrel::bench {

namespace {
constexpr char kPoint[] = "gpoi";

struct PointCount {
    int points = 0;
};

void ExpatEnd(void* data, const XML_Char* name) {
    if (std::strcmp(name, kPoint) == 0) ++static_cast<PointCount*>(data)->points;
}

void Libxml2End(void* data, const xmlChar* name) {
    if (std::strcmp(reinterpret_cast<const char*>(name), kPoint) == 0) ++static_cast<PointCount*>(data)->points;
}
}  // namespace

int PugixmlInPlacePoints(std::string& bytes) {
    pugi::xml_document doc;
    if (!doc.load_buffer_inplace(&bytes[0], bytes.size())) return -1;
    int points = 0;
    for (pugi::xml_node point : doc.child("glorie").children(kPoint)) points += !point.empty();
    return points;
}

int ExpatPoints(const std::string& bytes) {
    PointCount count;
    XML_Parser parser = XML_ParserCreate("ISO-8859-1");
    XML_SetUserData(parser, &count);
    XML_SetElementHandler(parser, nullptr, ExpatEnd);
    XML_SetCharacterDataHandler(parser, [](void*, const XML_Char*, int) {});
    const bool ok = XML_Parse(parser, bytes.data(), static_cast<int>(bytes.size()), 1) == XML_STATUS_OK;
    XML_ParserFree(parser);
    return ok ? count.points : -1;
}

int Libxml2SaxPoints(const std::string& bytes) {
    xmlSAXHandler sax{};
    sax.endElement = Libxml2End;
    sax.characters = [](void*, const xmlChar*, int) {};
    PointCount count;
    xmlParserCtxtPtr context = xmlCreatePushParserCtxt(&sax, &count, nullptr, 0, nullptr);
    xmlSwitchEncoding(context, XML_CHAR_ENCODING_8859_1);
    xmlCtxtUseOptions(context, XML_PARSE_IGNORE_ENC);
    const int failed = xmlParseChunk(context, bytes.data(), static_cast<int>(bytes.size()), 1);
    xmlFreeParserCtxt(context);
    return failed ? -1 : count.points;
}

}  // namespace vondrel::bench
