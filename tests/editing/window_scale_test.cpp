// The main window at any scale and its recent files: scaled layout, fitted columns, restorable
// places, and the recent list's order, limit, removal and repeats.
#include <gtest/gtest.h>

#include "editing/layout_rules.h"
#include "editing/recent_files.h"
#include "editing/window_scale.h"

namespace vondrel {
namespace {

TEST(WindowScale, LayoutAtEachDpi) {
    // Controls measured at each scale; the list must end left of the buttons' margin and above the bar.
    for (int dpi : {96, 120, 144, 192}) {
        const int button = ScalePixels(50, dpi), buttonHeight = ScalePixels(20, dpi), bar = ScalePixels(22, dpi);
        const int width = ScalePixels(650, dpi), height = ScalePixels(420, dpi);
        const Rect list = EditViewLayout(width, height, button, buttonHeight, bar, dpi).mainList;
        EXPECT_EQ(list.x + list.width + ScalePixels(5, dpi), RightAlignedX(width, button, dpi)) << dpi;
        EXPECT_EQ(list.y, buttonHeight + ScalePixels(5, dpi)) << dpi;
        EXPECT_EQ(list.y + list.height, height - bar - ScalePixels(2, dpi)) << dpi;
        const ListLayout import = ImportViewLayout(width, height, button, buttonHeight, bar, ScalePixels(21, dpi), dpi);
        EXPECT_EQ(import.importList.width + import.mainList.width, list.width) << dpi;
        EXPECT_LE(import.importList.y + import.importList.height, import.importChoice.y - ScalePixels(2, dpi)) << dpi;
    }
    EXPECT_EQ(ScalePixels(5, 120), 6);
    EXPECT_EQ(ScalePixels(100, 144), 150);
    EXPECT_EQ(ScalePixels(7, 72), 7);
}

TEST(WindowScale, FitColumns) {
    const std::vector<ColumnSpan> columns = {{60, 40}, {180, 60}, {120, 60}, {100, 90}};
    const struct {
        int available;
        std::vector<int> widths;
    } cases[] = {
        {500, {60, 180, 120, 140}},  // room to spare: the last column takes it
        {460, {60, 180, 120, 100}},  // exactly the preferred widths
        {355, {50, 120, 90, 95}},    // half the slack given up, by each column in proportion to its own
        {200, {40, 60, 60, 90}},     // not even the minimums fit: minimums, a scroll bar
    };
    for (const auto& c : cases) EXPECT_EQ(FitColumns(columns, c.available), c.widths) << c.available;
    // However the shares round, the columns add up to the width: no scroll bar for one pixel.
    EXPECT_EQ(FitColumns({{100, 50}, {100, 50}, {100, 50}, {100, 99}}, 398), (std::vector<int>{100, 99, 100, 99}));
}

TEST(WindowScale, CanRestore) {
    const ScreenRect primary{0, 0, 1920, 1080}, second{1920, 0, 4480, 1440};
    const struct {
        WindowPlace place;
        std::vector<ScreenRect> monitors;
        bool restored;
    } cases[] = {
        {{{100, 100, 800, 600}, primary}, {primary}, true},
        {{{2000, 50, 2800, 700}, second}, {primary, second}, true},
        {{{2000, 50, 2800, 700}, second}, {primary}, false},                      // that monitor is gone
        {{{2000, 50, 2800, 700}, second}, {primary, {1920, 0, 3840, 1080}}, false},  // another one in its place
        {{{100, -40, 800, 600}, primary}, {primary}, false},                      // title bar off the screen
        {{{100, 100, 150, 120}, primary}, {primary}, false},                      // below the minimum size
    };
    for (const auto& c : cases) EXPECT_EQ(CanRestore(c.place, c.monitors, 300, 200), c.restored) << c.place.window.left;
}

TEST(RecentFiles, OrderLimitRemovalRepeats) {
    const auto path = [](const std::string& name) { return os::Path(os::AsciiPathText(name)); };
    RecentFiles recent;
    for (int i = 1; i <= 10; ++i) recent.Add(path("C:/p" + std::to_string(i) + ".xml"));
    ASSERT_EQ(recent.Paths().size(), RecentFiles::kLimit);
    EXPECT_EQ(recent.Paths().front(), path("C:/p10.xml"));
    EXPECT_EQ(recent.Paths().back(), path("C:/p3.xml"));
    recent.Add(path("C:/p5.xml"));  // listed already: moved to the front, not repeated
    EXPECT_EQ(recent.Paths().size(), RecentFiles::kLimit);
    EXPECT_EQ(recent.Paths().front(), path("C:/p5.xml"));
    recent.Remove(path("C:/p9.xml"));
    recent.Remove(path("C:/none.xml"));
    EXPECT_EQ(recent.Paths().size(), RecentFiles::kLimit - 1);
    recent.Assign({path("b.xml"), path(""), path("a.xml"), path("b.xml")});
    EXPECT_EQ(recent.Paths(), (std::vector<os::Path>{path("b.xml"), path("a.xml")}));
    EXPECT_TRUE(SamePath(path("C:/Points/A.xml"), path("c:/points/a.XML"), true));
    EXPECT_FALSE(SamePath(path("C:/Points/A.xml"), path("C:/Points/a.xml"), false));
}

}  // namespace
}  // namespace vondrel
