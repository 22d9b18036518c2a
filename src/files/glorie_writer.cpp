// The bytes of glorie point files: a fixed header, one block per point, a closing line, in the
// exact bytes the navigation unit reads (two lines of each block end in LF alone). Every field
// the reader takes is written back: the telephone number as a contact line, the outer radius
// in the direction block.
#include <iterator>
#include <string>
#include <string_view>
#include <utility>

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

// A point's block, piece by piece: each piece's text, then the stored text of its field (if it
// names one), escaped, with '0's before it up to `width`. A piece is left out when its `ifText`
// field is empty or, with `ifDirection`, when the point has no direction.
struct Piece {
    std::string_view text;
    std::string PointRecord::*field = nullptr;
    std::string PointRecord::*ifText = nullptr;
    bool ifDirection = false;
    std::size_t width = 0;
};

constexpr auto kLat = StoredMember(Field::Lat);
constexpr auto kLon = StoredMember(Field::Lon);
constexpr auto kReading = StoredMember(Field::Reading);
constexpr auto kTel = StoredMember(Field::Tel);

constexpr Piece kPointPieces[] = {
    {"\t<gpoi>\r\n\t\t<index pos=\"+", kLat},
    {" +", kLon},
    {" 00000000 fix tokyo\"/>\r\n"
     "\t\t<poi>\r\n"
     "\t\t\t<point>\r\n"
     "\t\t\t\t<pos>\r\n"
     "\t\t\t\t\t<lat>",
     kLat},
    {"</lat>\r\n\t\t\t\t\t<lon>", kLon},
    {"</lon>\r\n"
     "\t\t\t\t</pos>\r\n"
     "\t\t\t</point>\r\n"
     "\t\t\t<name>\r\n"
     "\t\t\t\t<nb>",
     StoredMember(Field::Name)},
    {"</nb>\r\n"},
    {"\t\t\t\t<rt>", kReading, kReading},
    {"</rt>\r\n", nullptr, kReading},
    {"\t\t\t</name>\n"},  // one of the two lines that end in LF alone
    {"\t\t\t<contact href=\"tel:", kTel, kTel},
    {"\"/>\r\n", nullptr, kTel},
    // The mark after the category's fixed digits, always two characters: the reader takes the
    // code's last two, so a shorter mark read from another file ("A") would come back as
    // another ("1A").
    {"\t\t</poi>\n"
     "\t\t<category>00000000</category>\r\n"
     "\t\t<category vendor=\"Kenwood.HDD-NAVI\">000031",
     StoredMember(Field::Mark), nullptr, false, 2},
    {"</category>\r\n"
     "\t\t<linkfile>\r\n"
     "\t\t\t<optional-media format=\"MSNAVI\" id=\"",
     StoredMember(Field::Sound)},
    {"\" repeat=\"1\">\r\n"},
    {"\t\t\t\t<activate-condition>\r\n"
     "\t\t\t\t\t<activate-radius>\r\n"
     "\t\t\t\t\t\t<outmost>",
     StoredMember(Field::Outmost), nullptr, true},
    {"</outmost>\r\n"
     "\t\t\t\t\t\t<inmost>0</inmost>\r\n"
     "\t\t\t\t\t</activate-radius>\r\n"
     "\t\t\t\t\t<activate-direction>\r\n"
     "\t\t\t\t\t\t<dcenter>",
     StoredMember(Field::Dcenter), nullptr, true},
    {"</dcenter>\r\n"
     "\t\t\t\t\t\t<deviation>22</deviation>\r\n"
     "\t\t\t\t\t</activate-direction>\r\n"
     "\t\t\t\t</activate-condition>\r\n",
     nullptr, nullptr, true},
    {"\t\t\t</optional-media>\r\n"
     "\t\t</linkfile>\r\n"
     "\t</gpoi>\r\n"},
};

// One piece, its conditions and field known when compiled: the block's code is as straight as if
// written out by hand (Save's speed depends on it).
template <std::size_t I>
void AppendPiece(std::string& out, const PointRecord& p) {
    constexpr Piece piece = kPointPieces[I];
    if constexpr (piece.ifText != nullptr) {
        if ((p.*piece.ifText).empty()) return;
    }
    if constexpr (piece.ifDirection) {
        if (p.directionOn == 0) return;
    }
    out.append(piece.text.data(), piece.text.size());
    if constexpr (piece.field != nullptr) {
        const std::string& text = p.*piece.field;
        if constexpr (piece.width > 0) {
            if (text.size() < piece.width) out.append(piece.width - text.size(), '0');
        }
        AppendEscaped(out, text);
    }
}

template <std::size_t... I>
void AppendPieces(std::string& out, const PointRecord& p, std::index_sequence<I...>) {
    (AppendPiece<I>(out, p), ...);
}

void AppendPoint(std::string& out, const PointRecord& p) {
    AppendPieces(out, p, std::make_index_sequence<std::size(kPointPieces)>());
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
