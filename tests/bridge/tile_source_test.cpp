// Tile URLs and cache paths, the disk cache's rules, the window's tile memory with retries, the
// scale bar and where the bridge window opens.
#include <gtest/gtest.h>

#include "map/map_layout.h"
#include "map/tile_book.h"
#include "map/tile_source.h"

namespace vondrel::tarvix {
namespace {

TEST(TileSource, UrlsAndCachePaths) {
    const TileKey photo{Layer::kPhoto, 16, 58210, 25803};
    const struct {
        const char* urlTemplate;
        TileKey key;
        const char* url;
    } cases[] = {
        {kDefaultUrlTemplate, {Layer::kStandard, 5, 28, 12}, "https://cyberjapandata.gsi.go.jp/xyz/std/5/28/12.png"},
        {kDefaultUrlTemplate, {Layer::kPale, 18, 0, 262143}, "https://cyberjapandata.gsi.go.jp/xyz/pale/18/0/262143.png"},
        {kDefaultUrlTemplate, photo, "https://cyberjapandata.gsi.go.jp/xyz/seamlessphoto/16/58210/25803.jpg"},
        {"http://127.0.0.1:8080/{z}/{x}/{y}.png", photo, "http://127.0.0.1:8080/16/58210/25803.png"},
        {"http://m/{layer}/{y}-{x}-{z}?{q}{z", photo, "http://m/seamlessphoto/25803-58210-16?{q}{z"},
    };
    for (const auto& c : cases) EXPECT_EQ(TileUrl(c.urlTemplate, c.key), c.url);
    EXPECT_EQ(CacheRelativePath(photo, '\\'), "seamlessphoto\\16\\58210\\25803.jpg");
    EXPECT_EQ(CacheRelativePath({Layer::kPale, 5, 1, 2}, '/'), "pale/5/1/2.png");
    EXPECT_EQ(TileName(photo), "seamlessphoto/16/58210/25803");
    for (Layer layer : kLayers) EXPECT_EQ(LayerFromId(Info(layer).id), layer);
    EXPECT_EQ(LayerFromId("photo"), std::nullopt);
}

TEST(TileSource, CacheFreshnessTrimmingAndRetries) {
    constexpr std::int64_t kDay = 24 * 3600;
    const std::int64_t now = 1700000000;
    EXPECT_TRUE(IsFresh(now - 30 * kDay + 1, now));
    EXPECT_FALSE(IsFresh(now - 30 * kDay, now));
    EXPECT_TRUE(IsFresh(now + kDay, now));

    const std::vector<CachedFile> files = {{400, 50}, {300, 10}, {200, 30}, {100, 20}};
    EXPECT_EQ(ChooseEvictions(files, 1000), std::vector<std::size_t>{});
    EXPECT_EQ(ChooseEvictions(files, 700), std::vector<std::size_t>({1}));
    EXPECT_EQ(ChooseEvictions(files, 599), std::vector<std::size_t>({1, 3, 2}));
    EXPECT_EQ(ChooseEvictions(files, 0).size(), 4u);

    const std::int64_t delays[] = {2000, 4000, 8000, 16000, 32000, 64000, 120000, 120000};
    for (int failures = 1; failures <= 8; ++failures) EXPECT_EQ(RetryDelayMs(failures, false), delays[failures - 1]);
    EXPECT_EQ(RetryDelayMs(1, true), 600000);
}

TEST(TileBook, AsksForMissingTilesRetriesFailuresLaterAndKeepsTheRecentlyUsed) {
    TileBook book(3);
    const TileKey a{Layer::kStandard, 10, 1, 1}, b{Layer::kStandard, 10, 2, 1}, c{Layer::kPale, 10, 1, 1},
        d{Layer::kStandard, 11, 1, 1};
    const std::vector<TileKey> view = {a, b, c};
    EXPECT_EQ(book.Missing(view, 0), view);
    book.Loaded(a, std::make_shared<TilePixels>());
    book.Failed(b, 1000, false);
    book.Failed(c, 1000, true);
    EXPECT_EQ(book.Missing(view, 2999), std::vector<TileKey>{});
    EXPECT_EQ(book.NextRetry(view), 3000);
    EXPECT_EQ(book.FailedCount(view), 2u);
    EXPECT_EQ(book.Missing(view, 3000), std::vector<TileKey>{b});
    book.Failed(b, 3000, false);  // the second failure in a row waits twice as long
    EXPECT_EQ(book.NextRetry({b}), 7000);
    book.Loaded(b, std::make_shared<TilePixels>());
    book.Failed(b, 8000, false);  // a failed refresh keeps the tile
    EXPECT_NE(book.Use(b), nullptr);
    EXPECT_EQ(book.NextRetry(view), 601000);

    // Over capacity the least recently used goes: a was used after c failed, so c goes.
    EXPECT_NE(book.Use(a), nullptr);
    book.Loaded(d, std::make_shared<TilePixels>());
    EXPECT_EQ(book.Size(), 3u);
    EXPECT_EQ(book.Missing({a, b, c, d}, 0), std::vector<TileKey>{c});
}

TEST(TileBook, FlattensTransparencyOntoTheBackground) {
    TilePixels pixels{2, 1, {0x80FF0000u, 0x00123456u}};
    FlattenOnto(pixels, 0xFFFFFF);
    EXPECT_EQ(pixels.bgra[0], 0xFFFF7F7Fu);
    EXPECT_EQ(pixels.bgra[1], 0xFFFFFFFFu);
}

TEST(TileBook, ResamplesByAreaOnceAndKeepsIt) {
    // Three pixels to two: each takes one and a half, the middle one shared.
    const TilePixels row = Resample({3, 1, {0xFF000000u, 0xFF5A5A5Au, 0xFFB4B4B4u}}, 2, 1);
    EXPECT_EQ(row.bgra, (std::vector<std::uint32_t>{0xFF1E1E1Eu, 0xFF969696u}));
    TileBook book(2);
    const TileKey key{Layer::kStandard, 12, 1, 1};
    book.Loaded(key, std::make_shared<TilePixels>(TilePixels{256, 256, std::vector<std::uint32_t>(65536, 0xFF336699u)}));
    const TilePixels* small = book.UseAt(key, 192);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->bgra, std::vector<std::uint32_t>(192 * 192, 0xFF336699u));
    EXPECT_EQ(book.UseAt(key, 192), small);
    EXPECT_EQ(book.UseAt(key, 256), book.Use(key));
}

TEST(MapLayout, ScaleBarIsARoundLengthThatFits) {
    const struct {
        double metresPerPixel;
        int maxPixels;
        int pixels;
        const char* label;
    } cases[] = {
        {0.5, 120, 100, "50 m"},   {1.0, 120, 100, "100 m"}, {25.0, 120, 80, "2 km"},
        {4000, 150, 125, "500 km"}, {10.0, 4, 2, "20 m"},      {0, 100, 0, ""},
    };
    for (const auto& c : cases) {
        const ScaleBar bar = ChooseScaleBar(c.metresPerPixel, c.maxPixels);
        EXPECT_EQ(bar.pixels, c.pixels) << c.metresPerPixel;
        EXPECT_EQ(bar.label, c.label) << c.metresPerPixel;
    }
}

TEST(MapLayout, TheWindowOpensBesideTheEditorNotOverIt) {
    const PixelRect screen{0, 0, 1920, 1040};
    const PixelRect editor{100, 50, 900, 650};
    const struct {
        PixelRect remembered;
        bool visible;
        PixelRect editor;
        PixelRect expected;
    } cases[] = {
        {{}, false, editor, {900, 50, 1620, 610}},                                  // right of it, default size
        {{1000, 300, 1600, 800}, true, editor, {1000, 300, 1600, 800}},             // remembered, clear of it
        {{1000, 300, 1600, 800}, false, editor, {900, 50, 1500, 550}},              // remembered size, off screen
        {{500, 100, 1100, 900}, true, editor, {900, 50, 1500, 850}},                // remembered over the editor
        {{}, false, {1200, 700, 1900, 1000}, {480, 480, 1200, 1040}},               // left of it, kept on screen
        {{0, 0, 900, 500}, true, {400, 0, 1500, 600}, {1500, 0, 1920, 500}},        // narrowed to the wider side
        {{}, false, {0, 0, 1800, 600}, {1200, 0, 1920, 560}},                       // no room: at the far side
        {{}, false, {}, {600, 240, 1320, 800}},                                     // no editor: centred
    };
    for (const auto& c : cases) {
        const PixelRect r = PlaceWindow(c.remembered, c.visible, c.editor, screen);
        EXPECT_EQ(std::make_tuple(r.left, r.top, r.right, r.bottom),
                  std::make_tuple(c.expected.left, c.expected.top, c.expected.right, c.expected.bottom))
            << c.expected.left << "," << c.expected.top;
    }
}

TEST(MapLayout, NamesGoWhereTheyHideNoPointAndNoOtherName) {
    const Pixel label{60, 16};
    struct Case {
        const char* what;
        std::vector<Pixel> points;
        std::vector<int> expectedLefts;  // -1: the name is left out
        PixelRect plot = {-1000, -1000, 1000, 1000};
    } cases[] = {
        {"by the plot's right edge: left of its point", {{380, 100}}, {309}, {0, 0, 400, 300}},
        {"too narrow for any side whole: shifted inside", {{20, 100}}, {0}, {0, 0, 70, 300}},
        {"alone: right of its point", {{100, 100}}, {111}},
        {"a neighbour close on the right: the first name goes left", {{100, 100}, {150, 100}}, {29, 161}},
        {"three in a row 20 px apart: left, below, right", {{100, 100}, {120, 100}, {140, 100}}, {29, 90, 151}},
        {"surrounded: left out", {{100, 100}, {100, 80}, {100, 120}, {60, 100}, {140, 100}}, {-1, 111, 111, -11, 151}},
    };
    for (const Case& c : cases) {
        const std::vector<PixelRect> placed = PlaceLabels(c.points, std::vector<Pixel>(c.points.size(), label), 7, c.plot);
        ASSERT_EQ(placed.size(), c.points.size()) << c.what;
        for (std::size_t i = 0; i < placed.size(); ++i) {
            EXPECT_EQ(IsEmpty(placed[i]) ? -1 : placed[i].left, c.expectedLefts[i]) << c.what << ", point " << i;
            for (std::size_t j = 0; j < placed.size(); ++j) {
                const Pixel p = c.points[j];
                EXPECT_FALSE(Overlap(placed[i], {p.x - 7, p.y - 7, p.x + 8, p.y + 8})) << c.what << ": name " << i << " over point " << j;
                if (j != i) {
                    EXPECT_FALSE(Overlap(placed[i], placed[j])) << c.what << ": names " << i << " and " << j;
                }
            }
        }
    }
}

}  // namespace
}  // namespace vondrel::tarvix
