// Benchmark data: places and facilities combined into 700 point records, deterministically.
#include "sample_points.h"

#include <cstdint>
#include <cstdio>
#include <iterator>
#include <string_view>

#include "core/direction.h"

namespace vondrel::bench {

namespace {

struct Place {
    const char* name;
    const char* reading;
    double lat;  // rough Tokyo-datum position of the town
    double lon;
};

constexpr Place kPlaces[] = {
    {"浅草", "あさくさ", 35.7148, 139.7967},     {"上野", "うえの", 35.7141, 139.7774},
    {"新宿", "しんじゅく", 35.6896, 139.7006},   {"箱根", "はこね", 35.2324, 139.1069},
    {"日光", "にっこう", 36.7199, 139.6982},     {"鎌倉", "かまくら", 35.3192, 139.5467},
    {"京都", "きょうと", 35.0116, 135.7681},     {"奈良", "なら", 34.6851, 135.8048},
    {"金沢", "かなざわ", 36.5613, 136.6562},     {"函館", "はこだて", 41.7687, 140.7288},
    {"札幌", "さっぽろ", 43.0618, 141.3545},     {"仙台", "せんだい", 38.2682, 140.8694},
    {"松本", "まつもと", 36.2381, 137.9720},     {"高山", "たかやま", 36.1461, 137.2522},
    {"伊勢", "いせ", 34.4872, 136.7092},         {"姫路", "ひめじ", 34.8394, 134.6939},
    {"倉敷", "くらしき", 34.5850, 133.7720},     {"松山", "まつやま", 33.8392, 132.7657},
    {"長崎", "ながさき", 32.7503, 129.8779},     {"熊本", "くまもと", 32.8031, 130.7079},
    {"別府", "べっぷ", 33.2846, 131.4914},       {"那覇", "なは", 26.2124, 127.6809},
    {"熱海", "あたみ", 35.0964, 139.0717},       {"軽井沢", "かるいざわ", 36.3484, 138.5970},
    {"小樽", "おたる", 43.1907, 140.9947},       {"盛岡", "もりおか", 39.7036, 141.1527},
    {"宇都宮", "うつのみや", 36.5551, 139.8828}, {"横浜", "よこはま", 35.4437, 139.6380},
    {"名古屋", "なごや", 35.1815, 136.9066},     {"神戸", "こうべ", 34.6901, 135.1956},
    {"広島", "ひろしま", 34.3853, 132.4553},     {"出雲", "いずも", 35.3670, 132.7546},
    {"鳥取", "とっとり", 35.5011, 134.2351},     {"釧路", "くしろ", 42.9849, 144.3820},
};

struct Facility {
    const char* name;
    const char* reading;
    bool before;  // written before the place name ("道の駅 鎌倉") rather than after it
};

constexpr Facility kFacilities[] = {
    {"駅", "えき", false},           {"城", "じょう", false},
    {"温泉", "おんせん", false},     {"公園", "こうえん", false},
    {"神社", "じんじゃ", false},     {"タワー", "たわー", false},
    {"港", "みなと", false},         {"市場", "いちば", false},
    {"ＩＣ", "いんたー", false},     {"湯&宿", "ゆあんどやど", false},
    {"道の駅 ", "みちのえき ", true}, {"ホテル", "ほてる", true},
};

// Well-known sights with their own names, mixed in among the combinations.
constexpr Place kSights[] = {
    {"東京タワー", "とうきょうたわー", 35.6554, 139.7483}, {"浅草寺", "せんそうじ", 35.7115, 139.7964},
    {"金閣寺", "きんかくじ", 35.0361, 135.7261},           {"清水寺", "きよみずでら", 34.9917, 135.7818},
    {"厳島神社", "いつくしまじんじゃ", 34.2929, 132.3170}, {"姫路城", "ひめじじょう", 34.8362, 134.6905},
    {"東大寺", "とうだいじ", 34.6857, 135.8366},           {"兼六園", "けんろくえん", 36.5592, 136.6594},
};

// A small fixed generator so that every run and every platform sees the same points.
class Sequence {
public:
    std::uint32_t Next() {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::uint32_t>(state >> 33);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }
    // Uniform in [-1, 1).
    double Signed() { return (Next() / 2147483648.0) - 1.0; }

private:
    std::uint64_t state = 0x5EED0700u;
};

std::string FiveDecimals(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.5f", value);
    return text;
}

}  // namespace

void FillSamplePoints(PointTable& table) {
    table.Reset();
    Sequence random;
    for (int i = 0; i < kTableRows; ++i) {
        PointRecord p;
        double lat;
        double lon;
        if (i % 25 == 0) {
            const Place& sight = kSights[static_cast<std::size_t>(i / 25) % std::size(kSights)];
            p.name = sight.name;
            p.reading = sight.reading;
            lat = sight.lat;
            lon = sight.lon;
        } else {
            const Place& place = kPlaces[static_cast<std::size_t>(random.Below(static_cast<int>(std::size(kPlaces))))];
            const Facility& f = kFacilities[static_cast<std::size_t>(random.Below(static_cast<int>(std::size(kFacilities))))];
            p.name = ShortenName(f.before ? std::string(f.name) + place.name : std::string(place.name) + f.name);
            p.reading = f.before ? std::string(f.reading) + place.reading : std::string(place.reading) + f.reading;
            // Spread the points over some 20 km around the town.
            lat = place.lat + 0.1 * random.Signed();
            lon = place.lon + 0.1 * random.Signed();
        }
        p.lat = FiveDecimals(lat);
        p.lon = FiveDecimals(lon);
        p.mark = MarkDecimalToHex(std::to_string(random.Below(64)));
        p.sound = std::to_string(random.Below(10));
        p.tel = "0" + std::to_string(10 + random.Below(90)) + std::to_string(1000000 + random.Below(9000000));
        if (i % 3 == 0) {
            p.directionOn = 1;
            p.dcenter = std::to_string(DirectionDegrees[static_cast<std::size_t>(random.Below(kDirectionSteps))]);
        } else {
            p.directionOn = 0;
            p.dcenter = "0";
        }
        table.Append(p);
    }
}

std::string RepeatedBlocks(const std::string& file, std::size_t targetBytes) {
    const std::size_t first = file.find("\t<gpoi>");
    const std::size_t closing = file.rfind("</glorie>");
    const std::string_view blocks(file.data() + first, closing - first);
    std::string out(file, 0, first);
    out.reserve(targetBytes + blocks.size());
    // Whole blocks only, so that every point in the file is complete.
    std::size_t at = 0;
    while (out.size() < targetBytes) {
        std::size_t end = blocks.find("</gpoi>\r\n", at) + 9;
        out.append(blocks.substr(at, end - at));
        at = end < blocks.size() ? end : 0;
    }
    out.append(file, closing, std::string::npos);
    return out;
}

}  // namespace vondrel::bench
