// The address search dialog as the edit dialog opens it, against the loopback stand-in of the
// service: the list and the one status line per reply, the choice taken on the Tokyo datum, and
// 閉じる ending at once a request that never ends.
#include <chrono>

#include "core/map_position.h"
#include "gui/dialog_test_support.h"
#include "support/geocoder_stand_in.h"
#include "win/list_view.h"

namespace vondrel {
namespace {

using test::PointEditDialogTest;
using test::TextOf;

// Searches for `query` (none: the search begun) and pumps until it has ended (15 s at most).
void Search(HWND dialog, const char* query) {
    if (query) win::Window(GetDlgItem(dialog, IDC_SEARCH_TEXT)).SetText(query);
    if (query) SendMessageW(GetDlgItem(dialog, IDC_SEARCH_GO), BM_CLICK, 0, 0);
    const auto start = std::chrono::steady_clock::now();
    do test::Pump();
    while (!IsWindowEnabled(GetDlgItem(dialog, IDC_SEARCH_GO)) && std::chrono::steady_clock::now() - start < std::chrono::seconds(15));
}

TEST_F(PointEditDialogTest, AddressSearchShowsWhatCameAndFillsThePosition) {
    test::GeocoderStandIn standIn;
    ASSERT_FALSE(standIn.Base().empty());
    test::UseGeocoder(standIn.Base());
    Open({"東京駅", "", "", "", "", "00", "0", "0", 0});  // no position: searched for by its name
    const struct {
        const char *query, *status;
        int rows;
    } cases[] = {
        {nullptr, "2 件見つかりました", 2},
        {"empty", "見つかりませんでした", 0},
        {"status500", "検索できませんでした（HTTP 500）", 0},
        {"garbage", "検索できませんでした（応答を読み取れません）", 0},
        {"東京駅", "2 件見つかりました", 2},
    };
    const auto act = [&](HWND search) {
        const win::ListView list(GetDlgItem(search, IDC_SEARCH_RESULTS));
        for (const auto& c : cases) {
            Search(search, c.query);
            EXPECT_EQ(TextOf(GetDlgItem(search, IDC_SEARCH_STATUS)), c.status) << c.query;
            EXPECT_EQ(list.Count(), c.rows) << c.query;
        }
        EXPECT_EQ(list.CellText(0, 0), "東京駅");
        SendMessageW(search, WM_COMMAND, IDOK, 0);  // the first candidate, selected
    };
    ASSERT_TRUE(test::WithOwnedWindow(dialog->Hwnd(), act, [&] { Command(IDC_EDIT_ADDRESS_SEARCH); }));
    const auto expected = PastedPositionToDisplay("35.681236, 139.767125");
    EXPECT_EQ(Text(IDC_EDIT_LON), expected->lon);
    EXPECT_EQ(Text(IDC_EDIT_LAT), expected->lat);

    std::chrono::steady_clock::duration closing{};
    const auto hang = [&](HWND search) {
        EXPECT_EQ(TextOf(GetDlgItem(search, IDC_SEARCH_TEXT)), "");  // the point has a position now
        win::Window(GetDlgItem(search, IDC_SEARCH_TEXT)).SetText("hang");
        SendMessageW(GetDlgItem(search, IDC_SEARCH_GO), BM_CLICK, 0, 0);
        const auto start = std::chrono::steady_clock::now();
        SendMessageW(GetDlgItem(search, IDCANCEL), BM_CLICK, 0, 0);
        closing = std::chrono::steady_clock::now() - start;
    };
    ASSERT_TRUE(test::WithOwnedWindow(dialog->Hwnd(), hang, [&] { Command(IDC_EDIT_ADDRESS_SEARCH); }));
    EXPECT_LT(closing, std::chrono::seconds(1));
}

}  // namespace
}  // namespace vondrel
