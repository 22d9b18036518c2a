// The bytes of glorie point files: a fixed header, one block per point, a closing line, in the
// exact bytes the navigation unit reads (two lines of each block end in LF alone). Every field
// the reader takes is written back: the telephone number as a contact line, the outer radius
// in the direction block.
#include <string>

#include "core/point_table.h"
#include "files/glorie_writer.h"
#include "files/xml_text.h"

namespace vondrel {

namespace {
constexpr char kHeader[] =
    "<?xml version=\"1.0\" encoding=\"Shift_JIS\" ?>\r\n"
    "<!DOCTYPE glorie PUBLIC \"-//GLORIE//GLORIE V1.0//EN\" \"glorie.dtd\">\r\n"
    "<glorie version=\"1.0\" model=\"Kenwood Corporation:HDD-NAVI\">\r\n"
    "\t<format>\r\n"
    "\t\t<datum>tokyo</datum>\r\n"
    "\t\t<unit>degree</unit>\r\n"
    "\t</format>\r\n"
    "\r\n";

constexpr char kClosing[] = "</glorie>\r\n";

constexpr char kDirectionHead[] =
    "\t\t\t\t<activate-condition>\r\n"
    "\t\t\t\t\t<activate-radius>\r\n"
    "\t\t\t\t\t\t<outmost>";

constexpr char kDirectionMiddle[] =
    "</outmost>\r\n"
    "\t\t\t\t\t\t<inmost>0</inmost>\r\n"
    "\t\t\t\t\t</activate-radius>\r\n"
    "\t\t\t\t\t<activate-direction>\r\n"
    "\t\t\t\t\t\t<dcenter>";

constexpr char kDirectionTail[] =
    "</dcenter>\r\n"
    "\t\t\t\t\t\t<deviation>22</deviation>\r\n"
    "\t\t\t\t\t</activate-direction>\r\n"
    "\t\t\t\t</activate-condition>\r\n";

void AppendPoint(std::string& out, const PointRecord& p) {
    out += "\t<gpoi>\r\n\t\t<index pos=\"+";
    AppendEscaped(out, p.lat);
    out += " +";
    AppendEscaped(out, p.lon);
    out += " 00000000 fix tokyo\"/>\r\n"
           "\t\t<poi>\r\n"
           "\t\t\t<point>\r\n"
           "\t\t\t\t<pos>\r\n"
           "\t\t\t\t\t<lat>";
    AppendEscaped(out, p.lat);
    out += "</lat>\r\n\t\t\t\t\t<lon>";
    AppendEscaped(out, p.lon);
    out += "</lon>\r\n"
           "\t\t\t\t</pos>\r\n"
           "\t\t\t</point>\r\n"
           "\t\t\t<name>\r\n"
           "\t\t\t\t<nb>";
    AppendEscaped(out, p.name);
    out += "</nb>\r\n";
    if (!p.reading.empty()) {
        out += "\t\t\t\t<rt>";
        AppendEscaped(out, p.reading);
        out += "</rt>\r\n";
    }
    out += "\t\t\t</name>\n";
    if (!p.tel.empty()) {
        out += "\t\t\t<contact href=\"tel:";
        AppendEscaped(out, p.tel);
        out += "\"/>\r\n";
    }
    out += "\t\t</poi>\n"
           "\t\t<category>00000000</category>\r\n"
           "\t\t<category vendor=\"Kenwood.HDD-NAVI\">000031";
    // Always two characters: the reader takes the code's last two, so a shorter mark read from
    // another file ("A") would come back as another ("1A").
    if (p.mark.size() < 2) out.append(2 - p.mark.size(), '0');
    AppendEscaped(out, p.mark);
    out += "</category>\r\n"
           "\t\t<linkfile>\r\n"
           "\t\t\t<optional-media format=\"MSNAVI\" id=\"";
    AppendEscaped(out, p.sound);
    out += "\" repeat=\"1\">\r\n";
    if (p.directionOn != 0) {
        out += kDirectionHead;
        AppendEscaped(out, p.outmost);
        out += kDirectionMiddle;
        AppendEscaped(out, p.dcenter);
        out += kDirectionTail;
    }
    out += "\t\t\t</optional-media>\r\n"
           "\t\t</linkfile>\r\n"
           "\t</gpoi>\r\n";
}
}  // namespace

std::string GlorieBytes(const PointTable& table) {
    const int used = table.UsedCount();
    std::string out;
    out.reserve(sizeof kHeader + static_cast<std::size_t>(used) * 1100 + sizeof kClosing);
    out += kHeader;
    for (int i = 0; i < used; ++i) AppendPoint(out, table.Row(i));
    out += kClosing;
    return out;
}

}  // namespace vondrel
