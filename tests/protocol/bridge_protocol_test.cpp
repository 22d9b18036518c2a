// Map bridge protocol: posts for a command's text, assembly on both sides, coordinate wire forms.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/bridge_protocol.h"

namespace vondrel::bridge {
namespace {

const MessageNumbers kNumbers = RegisterNames([n = 0xC100u](const char*) mutable { return n++; });
const std::uintptr_t kStart = kNumbers[Name::kTextStart];
const std::uintptr_t kChar = kNumbers[Name::kTextChar];
const std::uint32_t kCommand = kNumbers[Name::kObjectName];

// The lParams between SUB_TEXT_START and the command, which must frame them.
std::vector<std::intptr_t> CharValues(const std::vector<Post>& posts) {
    std::vector<std::intptr_t> values;
    EXPECT_TRUE(posts.size() >= 2 && posts.front() == (Post{kStart, 0}) && posts.back() == (Post{kCommand, 0}));
    for (std::size_t i = 1; i + 1 < posts.size(); ++i) {
        EXPECT_EQ(posts[i].wParam, kChar);
        values.push_back(posts[i].lParam);
    }
    return values;
}

// What the bridge assembles from the posts.
std::string Decode(const std::vector<Post>& posts) {
    TextAssembler assembler;
    for (const Post& post : posts) {
        if (post.wParam == kStart) assembler.Start();
        if (post.wParam == kChar) assembler.Char(post.lParam);
    }
    return assembler.Text();
}

TEST(BridgeProtocol, TextTravelsAsBytesAndSignExtendedPairs) {
    const struct {
        std::string text;
        std::vector<std::intptr_t> chars;
    } cases[] = {
        {"AB", {0x41, 0x42}},
        {"", {}},
        {"地", {-28050}},  // 0x92 0x6E
        {"a地b", {0x61, -28050, 0x62}},
        {"ｱｲ", {-20046}},                                 // half-width katakana pair up: 0xB1B2
        {"ｱA", {static_cast<std::int16_t>(0xB141)}},      // and take the next ASCII byte along
        {"A\x92", {0x41}},                                // a last lead byte is not sent
        {"AB\xB1", {0x41, 0x42}},
        {std::string("A\0B", 3), {0x41}},  // the text ends at a NUL
    };
    for (const auto& c : cases) EXPECT_EQ(CharValues(EncodeCommand(kNumbers, kCommand, c.text)), c.chars) << c.text;
    // Every bit above the low 16 is set, whatever the width of LPARAM.
    const auto pair = static_cast<std::uintptr_t>(EncodeCommand(kNumbers, kCommand, "地")[1].lParam);
    EXPECT_EQ(pair & 0xFFFF, 0x926Eu);
    EXPECT_EQ(pair >> 16, ~std::uintptr_t{0} >> 16);
}

TEST(BridgeProtocol, LongTextsAreCutBelowTheBufferAtACharacterBoundary) {
    const std::string a1022(1022, 'A');
    std::string pairs;
    for (int i = 0; i < 600; ++i) pairs += "地";
    const struct {
        std::string text;
        std::string sent;
    } cases[] = {
        {a1022 + "B", a1022 + "B"},  // 1023 bytes travel whole
        {a1022 + "BC", a1022 + "B"},
        {a1022 + "地B", a1022},
        {pairs, pairs.substr(0, 1022)},
        {"A" + pairs, "A" + pairs.substr(0, 1022)},
        // The cut keeps "ｱ" whole and leaves out "地"; the katakana, then last, has no partner.
        {a1022.substr(1) + "ｱ地", a1022.substr(1)},
    };
    for (const auto& c : cases) {
        const std::vector<Post> posts = EncodeCommand(kNumbers, kCommand, c.text);
        EXPECT_EQ(Decode(posts), c.sent) << c.text.size();
        EXPECT_EQ(posts.back(), (Post{kCommand, 0}));
    }
}

TEST(BridgeProtocol, BridgeAssemblesWhatTheEditorSent) {
    for (const std::string text : {"4", "ProAtlasSV.Map", "", " 35/41/05007,139/45/30123,東京駅 南口", "ｶﾀｶﾅ,ｱｲ",
                                   "ｱA地", "A,B,\x81\x40,\xFC\xFC"}) {
        EXPECT_EQ(Decode(EncodeCommand(kNumbers, kCommand, text)), text) << text;
    }
    // Bounded: a pair that does not fit whole is dropped whole; zero bytes are not text.
    TextAssembler assembler;
    for (int i = 0; i < 1022; ++i) assembler.Char('A');
    assembler.Char(-28050);
    assembler.Char('B');
    assembler.Char('C');
    EXPECT_EQ(assembler.Text(), std::string(1022, 'A') + "B");
    assembler.Start();
    assembler.Char(0x926E);
    assembler.Char(0);
    EXPECT_EQ(assembler.Text(), "地");
}

TEST(BridgeProtocol, EditorAssemblesReplies) {
    ReplyAssembler assembler;
    auto feed = [&](const std::vector<Post>& posts) {
        std::vector<ReceivedCoordinate> done;
        for (const Post& post : posts) {
            if (auto r = assembler.OnReply(post.wParam, post.lParam, kNumbers)) done.push_back(*r);
        }
        return done;
    };
    auto lat = feed(EncodeReply(kNumbers, kNumbers[Name::kGetMarkLat], " 35/41/05007"));
    ASSERT_EQ(lat.size(), 1u);
    EXPECT_EQ(lat[0].axis, Axis::kLatitude);
    EXPECT_EQ(lat[0].display, " 35.41.05.007");
    auto lon = feed(EncodeReply(kNumbers, kNumbers[Name::kGetMarkLon], "139/45/30123"));
    ASSERT_EQ(lon.size(), 1u);
    EXPECT_EQ(lon[0].axis, Axis::kLongitude);
    EXPECT_EQ(lon[0].display, "139.45.30.123");
    // Without a START the bytes held are converted again; an empty buffer gives ".".
    EXPECT_EQ(feed({{kNumbers[Name::kGetMarkLat], 0}})[0].display, "139.45.30.123");
    EXPECT_EQ(ReplyAssembler().OnReply(kNumbers[Name::kGetMarkLon], 0, kNumbers)->display, ".");

    // Only lParam's low byte counts; zero bytes and other numbers are ignored; the buffer is capped.
    feed({{kStart, 0}, {kChar, 0x1231}, {kChar, -0xCE}, {kChar, 0}, {0xBEEF, 0x33}, {kCommand, 0x34}});
    EXPECT_EQ(assembler.Buffer(), "12");
    for (int i = 0; i < 5000; ++i) assembler.OnReply(kChar, '7', kNumbers);
    EXPECT_EQ(assembler.Buffer(), "12" + std::string(kMaxTextBytes - 2, '7'));
}

TEST(BridgeProtocol, CoordinateWireForms) {
    const struct {
        const char* display;
        const char* wire;
    } to[] = {
        {"139.45.30.123", "139/45/30123"},
        {" 35.41.05.007", " 35/41/05007"},
        {"139.45.30.5", "139/45/30005"},     // milliseconds read as a number
        {"139.45.30.1234", "139/45/31234"},  // and added as they are
        {"139/45/30/123", "139/45/30123"},
        {"139.45.30", "139/45030"},  // fewer parts: the last two make the field
        {"30.123", "30123"},
        {"", "00000"},
        {"...", "//00000"},
        {"a.b.c.d", "a/b/00000"},
        {"139.45.99999999999.0", "139/45/276446232"},  // wraps instead of overflowing
    };
    for (const auto& c : to) EXPECT_EQ(ToBridgeCoordinate(c.display), c.wire) << c.display;
    const struct {
        const char* wire;
        const char* display;
    } from[] = {
        {"139/45/30123", "139.45.30.123"}, {" 35/41/05007", " 35.41.05.007"}, {"30123", "30.123"},
        {"", "."},         {"12", "12."},      {"139/45/3", "139.45.3."},       {"139/45/", "139.45.."},
        {"139.45.30123", "139.45.30.123"},
    };
    for (const auto& c : from) EXPECT_EQ(FromBridgeCoordinate(c.wire), c.display) << c.wire;
}

TEST(BridgeProtocol, MillisecondsWireAndDisplayRoundTrip) {
    for (std::int32_t ms : {0, 999, 59999, 60000, 128465007, 503130123, 647999999}) {
        for (Axis axis : {Axis::kLatitude, Axis::kLongitude}) {
            const std::string wire = MillisecondsToWire(ms, axis);
            EXPECT_EQ(ToBridgeCoordinate(FromBridgeCoordinate(wire)), wire);
            EXPECT_EQ(WireToMilliseconds(wire), ms) << wire;
        }
    }
    EXPECT_EQ(MillisecondsToWire(128465007, Axis::kLatitude), " 35/41/05007");
    EXPECT_EQ(MillisecondsToWire(503130123, Axis::kLongitude), "139/45/30123");
    EXPECT_EQ(WireToMilliseconds("  35/ 41/ 5007"), 128465007);
    for (const char* bad : {"", "35/41", "35//05007", "35/60/00000", "35/41/60000", "35/41/05007x", "-35/41/05007",
                            "181/00/00000", "99999999999/0/0"}) {
        EXPECT_EQ(WireToMilliseconds(bad), std::nullopt) << bad;
    }
}

TEST(BridgeProtocol, PointTextCarriesLatitudeLongitudeAndName) {
    const std::string text = PointText(" 35.41.05.007", "139.45.30.123", "東京駅,丸の内");
    EXPECT_EQ(text, " 35/41/05007,139/45/30123,東京駅,丸の内");
    const auto fields = ParsePointText(text);
    ASSERT_TRUE(fields);
    EXPECT_EQ(fields->latWire, " 35/41/05007");
    EXPECT_EQ(fields->lonWire, "139/45/30123");
    EXPECT_EQ(fields->name, "東京駅,丸の内");
    EXPECT_TRUE(ParsePointText(",,"));
    EXPECT_FALSE(ParsePointText(" 35/41/05007,139/45/30123"));
}

}  // namespace
}  // namespace vondrel::bridge
