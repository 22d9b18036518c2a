// The address search dialog against the loopback stand-in of the service: what the list and the
// status line show, Esc ending a request that never ends, and the edit dialog taking the choice.
#include <chrono>

#include "core/map_position.h"
#include "dialogs/address_search_dialog.h"
#include "gui/dialog_test_support.h"
#include "support/geocoder_stand_in.h"
#include "win/list_view.h"

namespace vondrel {
namespace {

std::wstring Wide(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// Pumps until the search has ended (検索 enabled again), 15 s at most.
void AwaitSearch(HWND dialog) {
    const auto start = std::chrono::steady_clock::now();
    do test::Pump();
    while (!IsWindowEnabled(GetDlgItem(dialog, IDC_SEARCH_GO)) && std::chrono::steady_clock::now() - start < std::chrono::seconds(15));
}

class AddressSearchTest : public test::PointEditDialogTest {
protected:
    void SetUp() override {
        test::PointEditDialogTest::SetUp();
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        ASSERT_FALSE(standIn.Base().empty());
        test::UseGeocoder(standIn.Base());
    }
    test::GeocoderStandIn standIn;
};

TEST_F(AddressSearchTest, ListsCandidatesOrSaysInOneLineWhyNot) {
    AddressSearchDialog search("");
    ASSERT_NE(search.CreateModeless(nullptr), nullptr);
    const win::ListView list(GetDlgItem(search.Hwnd(), IDC_SEARCH_RESULTS));
    const struct {
        const char* query;
        int rows;
        std::wstring status;
    } cases[] = {
        {"東京駅", 2, L"2 件見つかりました"},
        {"empty", 0, L"見つかりませんでした"},
        {"status500", 0, L"検索できませんでした（HTTP 500）"},
        {"garbage", 0, L"検索できませんでした（応答を読み取れません）"},
    };
    for (const auto& c : cases) {
        search.Item(IDC_SEARCH_TEXT).SetText(c.query);
        search.Item(IDC_SEARCH_GO).Send(BM_CLICK);
        AwaitSearch(search.Hwnd());
        EXPECT_EQ(list.Count(), c.rows) << c.query;
        EXPECT_EQ(Wide(GetDlgItem(search.Hwnd(), IDC_SEARCH_STATUS)), c.status) << c.query;
    }
    // A reply that never ends: 閉じる ends the dialog at once.
    search.Item(IDC_SEARCH_TEXT).SetText("hang");
    search.Item(IDC_SEARCH_GO).Send(BM_CLICK);
    test::Pump();
    const auto start = std::chrono::steady_clock::now();
    search.Item(IDCANCEL).Send(BM_CLICK);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_EQ(search.Hwnd(), nullptr);
}

TEST_F(AddressSearchTest, EditDialogSearchesByNameAndTakesTheChoiceOnTheTokyoDatum) {
    Open({"東京駅", "", "", "", "", "00", "0", "0", 0});
    std::wstring title;
    const bool opened = test::WithOwnedWindow(
        dialog->Hwnd(),
        [&](HWND search) {
            AwaitSearch(search);  // searched at once for the name
            title = Wide(search);
            SendMessageW(search, WM_COMMAND, IDOK, 0);  // the first candidate, selected
        },
        [&] { Command(IDC_EDIT_ADDRESS_SEARCH); });
    ASSERT_TRUE(opened);
    EXPECT_EQ(title, L"住所検索");
    const auto expected = PastedPositionToDisplay("35.681236, 139.767125");
    EXPECT_EQ(Text(IDC_EDIT_LON), expected->lon);
    EXPECT_EQ(Text(IDC_EDIT_LAT), expected->lat);
}

}  // namespace
}  // namespace vondrel
