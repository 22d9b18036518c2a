// The writer's exact bytes, markup escaping, and the round trip through the reader.
#include <gtest/gtest.h>

#include "core/point_table.h"
#include "files/glorie_scanner.h"
#include "files/glorie_writer.h"

namespace vondrel {
namespace {

const char kHeader[] =
    "<?xml version=\"1.0\" encoding=\"Shift_JIS\" ?>\r\n"
    "<!DOCTYPE glorie PUBLIC \"-//GLORIE//GLORIE V1.0//EN\" \"glorie.dtd\">\r\n"
    "<glorie version=\"1.0\" model=\"Kenwood Corporation:HDD-NAVI\">\r\n"
    "\t<format>\r\n\t\t<datum>tokyo</datum>\r\n\t\t<unit>degree</unit>\r\n\t</format>\r\n\r\n";

void AddPoint(PointTable& table, const std::string& name, const std::string& reading, const std::string& lat,
              const std::string& lon, const std::string& mark, const std::string& sound, int directionOn,
              const std::string& dcenter, const std::string& tel = "", const std::string& outmost = "500") {
    PointRecord p;
    p.name = name;
    p.reading = reading;
    p.lat = lat;
    p.lon = lon;
    p.mark = mark;
    p.sound = sound;
    p.directionOn = directionOn;
    p.dcenter = dcenter;
    p.tel = tel;
    p.outmost = outmost;
    table.Append(p);
}

TEST(GlorieWriter, EmptyTableIsHeaderAndClosingLine) {
    PointTable table;
    EXPECT_EQ(GlorieBytes(table), std::string(kHeader) + "</glorie>\r\n");
}

TEST(GlorieWriter, ExactBlocks) {
    PointTable table;
    AddPoint(table, "東京駅", "とうきょうえき", "35.12345", "139.50431", "0A", "0", 0, "");
    AddPoint(table, "P2", "", "35.5", "139.5", "37", "3", 1, "90");
    const std::string expected = std::string(kHeader) +
        "\t<gpoi>\r\n"
        "\t\t<index pos=\"+35.12345 +139.50431 00000000 fix tokyo\"/>\r\n"
        "\t\t<poi>\r\n\t\t\t<point>\r\n\t\t\t\t<pos>\r\n"
        "\t\t\t\t\t<lat>35.12345</lat>\r\n"
        "\t\t\t\t\t<lon>139.50431</lon>\r\n"
        "\t\t\t\t</pos>\r\n\t\t\t</point>\r\n"
        "\t\t\t<name>\r\n"
        "\t\t\t\t<nb>東京駅</nb>\r\n"
        "\t\t\t\t<rt>とうきょうえき</rt>\r\n"
        "\t\t\t</name>\n"
        "\t\t</poi>\n"
        "\t\t<category>00000000</category>\r\n"
        "\t\t<category vendor=\"Kenwood.HDD-NAVI\">0000310A</category>\r\n"
        "\t\t<linkfile>\r\n"
        "\t\t\t<optional-media format=\"MSNAVI\" id=\"0\" repeat=\"1\">\r\n"
        "\t\t\t</optional-media>\r\n"
        "\t\t</linkfile>\r\n"
        "\t</gpoi>\r\n"
        "\t<gpoi>\r\n"
        "\t\t<index pos=\"+35.5 +139.5 00000000 fix tokyo\"/>\r\n"
        "\t\t<poi>\r\n\t\t\t<point>\r\n\t\t\t\t<pos>\r\n"
        "\t\t\t\t\t<lat>35.5</lat>\r\n"
        "\t\t\t\t\t<lon>139.5</lon>\r\n"
        "\t\t\t\t</pos>\r\n\t\t\t</point>\r\n"
        "\t\t\t<name>\r\n"
        "\t\t\t\t<nb>P2</nb>\r\n"
        "\t\t\t</name>\n"
        "\t\t</poi>\n"
        "\t\t<category>00000000</category>\r\n"
        "\t\t<category vendor=\"Kenwood.HDD-NAVI\">00003137</category>\r\n"
        "\t\t<linkfile>\r\n"
        "\t\t\t<optional-media format=\"MSNAVI\" id=\"3\" repeat=\"1\">\r\n"
        "\t\t\t\t<activate-condition>\r\n"
        "\t\t\t\t\t<activate-radius>\r\n"
        "\t\t\t\t\t\t<outmost>500</outmost>\r\n"
        "\t\t\t\t\t\t<inmost>0</inmost>\r\n"
        "\t\t\t\t\t</activate-radius>\r\n"
        "\t\t\t\t\t<activate-direction>\r\n"
        "\t\t\t\t\t\t<dcenter>90</dcenter>\r\n"
        "\t\t\t\t\t\t<deviation>22</deviation>\r\n"
        "\t\t\t\t\t</activate-direction>\r\n"
        "\t\t\t\t</activate-condition>\r\n"
        "\t\t\t</optional-media>\r\n"
        "\t\t</linkfile>\r\n"
        "\t</gpoi>\r\n"
        "</glorie>\r\n";
    EXPECT_EQ(GlorieBytes(table), expected) << "without telephone numbers and with radius 500, the bytes of before";
}

TEST(GlorieWriter, TelephoneAndOuterRadiusAreWrittenBack) {
    const struct {
        const char* tel;
        const char* outmost;
        int directionOn;
        const char* contactLine;  // "" when none
        const char* radiusLine;   // "" when there is no direction block
    } cases[] = {
        {"0312345678", "500", 0, "\t\t\t<contact href=\"tel:0312345678\"/>\r\n", ""},
        {"", "900", 1, "", "\t\t\t\t\t\t<outmost>900</outmost>\r\n"},
        {"03-1234\"&", "1&2", 1, "\t\t\t<contact href=\"tel:03-1234&quot;&amp;\"/>\r\n", "\t\t\t\t\t\t<outmost>1&amp;2</outmost>\r\n"},
    };
    for (const auto& c : cases) {
        PointTable table;
        AddPoint(table, "N", "", "35.5", "139.5", "00", "0", c.directionOn, "90", c.tel, c.outmost);
        const std::string bytes = GlorieBytes(table);
        if (*c.contactLine) {
            EXPECT_NE(bytes.find(std::string("\t\t\t</name>\n") + c.contactLine + "\t\t</poi>\n"), std::string::npos) << c.tel;
        } else {
            EXPECT_EQ(bytes.find("<contact"), std::string::npos);
        }
        if (*c.radiusLine) {
            EXPECT_NE(bytes.find(c.radiusLine), std::string::npos) << c.outmost;
        }
        PointTable back;
        GlorieScanner scanner(back);
        scanner.Scan(bytes);
        EXPECT_EQ(back.Row(0).tel, c.tel);
        EXPECT_EQ(back.Row(0).outmost, c.directionOn ? c.outmost : "500");
    }
}

TEST(GlorieWriter, MarkupCharactersAreEscaped) {
    PointTable table;
    AddPoint(table, "A&B <C> \"D\" 'E'", "x&amp;y", "35.5", "139.5", "00", "0", 0, "");
    const std::string bytes = GlorieBytes(table);
    EXPECT_NE(bytes.find("<nb>A&amp;B &lt;C&gt; &quot;D&quot; 'E'</nb>\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("<rt>x&amp;amp;y</rt>"), std::string::npos);
}

TEST(GlorieWriter, RoundTripThroughTheReader) {
    PointTable table;
    AddPoint(table, "A&B <C> \"D\"", "よみ", "35.12345", "139.50431", "0A", "3", 1, "101", "03\"12", "900");
    AddPoint(table, "表示", "", ".50000", "1.00000", "37", "60", 1, "", "表", "");
    AddPoint(table, "x", "y", "35", "139", "1", "0", 0, "45");  // a one-character mark read from another file
    AddPoint(table, "nowhere", "", "", "", "01", "0", 0, "");      // no position: saved and read back without one
    PointTable back;
    GlorieScanner scanner(back);
    scanner.Scan(GlorieBytes(table));
    ASSERT_EQ(scanner.CompletedPoints(), 4);
    for (int i = 0; i < 4; ++i) {
        const PointRecord& a = table.Row(i);
        const PointRecord& b = back.Row(i);
        EXPECT_EQ(b.name, a.name);
        EXPECT_EQ(b.reading, a.reading);
        EXPECT_EQ(b.lat, a.lat);
        EXPECT_EQ(b.lon, a.lon);
        EXPECT_EQ(b.mark, a.mark.size() < 2 ? std::string(2 - a.mark.size(), '0') + a.mark : a.mark);
        EXPECT_EQ(b.sound, a.sound);
        EXPECT_EQ(b.directionOn, a.directionOn);
        EXPECT_EQ(b.tel, a.tel);
        EXPECT_EQ(b.outmost, a.outmost);
    }
    EXPECT_EQ(back.Row(0).dcenter, "101");
    EXPECT_EQ(back.Row(2).mark, "01");
    EXPECT_EQ(back.Row(1).dcenter, "0") << "an empty centre with the direction on reads back as 0";
    EXPECT_EQ(back.Row(2).dcenter, "") << "no direction block: the centre is not written";
}

}  // namespace
}  // namespace vondrel
