// The edit dialog's "座標貼り付け" and "座標コピー": a WGS 84 position from the clipboard into the
// coordinate fields on the Tokyo datum, and the typed position onto the clipboard on WGS 84. The
// clipboard is set and read here with the plain Win32 calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "gui/dialog_test_support.h"

namespace vondrel {
namespace {

using test::PointEditDialogTest;
using test::TextOf;
using test::WithOwnedWindow;

void SetClipboard(const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

std::wstring Clipboard() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return L"(not opened)";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// Clicks `button` and returns the texts of the message box it opens (none: empty).
std::vector<std::string> ClickAndReadMessage(PointEditDialogTest& test, int button) {
    std::vector<std::string> texts;
    WithOwnedWindow(
        test.dialog->Hwnd(),
        [&](HWND box) {
            for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) texts.push_back(TextOf(child));
            SendMessageW(box, WM_COMMAND, IDOK, 0);
        },
        [&] { test.Click(button); });
    return texts;
}

bool Mentions(const std::vector<std::string>& texts, const std::string& part) {
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& text) { return text.find(part) != std::string::npos; });
}

// Tokyo Station's Marunouchi side, 35.681236 N 139.767125 E as map apps copy it.
constexpr char kLon[] = "139.46.13.293";
constexpr char kLat[] = " 35.40.40.788";

TEST_F(PointEditDialogTest, PasteFillsTheCoordinatesFromWhatMapAppsCopy) {
    // (The forms themselves are tested natively: here, that the clipboard's text reaches them.)
    for (const wchar_t* text : {L"35.681236, 139.767125", L"https://www.google.com/maps/place/X/@35.681236,139.767125,17z",
                                L"３５．６８１２３６，　１３９．７６７１２５", L"https://www.google.com/maps/place/X/data=!3d35.681236!4d139.767125"}) {
        Open(test::kTower);
        SetClipboard(text);
        EXPECT_TRUE(ClickAndReadMessage(*this, IDC_EDIT_PASTE_POSITION).empty()) << os::ToCp932(text);
        EXPECT_EQ(Text(IDC_EDIT_LON), kLon) << os::ToCp932(text);
        EXPECT_EQ(Text(IDC_EDIT_LAT), kLat) << os::ToCp932(text);
    }
    // No position: a message, and the fields keep what they had.
    Open(test::kTower);
    SetClipboard(L"東京駅");
    EXPECT_TRUE(Mentions(ClickAndReadMessage(*this, IDC_EDIT_PASTE_POSITION), "位置として読み取れません"));
    EXPECT_EQ(Text(IDC_EDIT_LON), test::kTower.lon);
    EXPECT_EQ(Text(IDC_EDIT_LAT), test::kTower.lat);
}

TEST_F(PointEditDialogTest, CopyPutsTheTypedPositionOnWgs84) {
    Open(test::kTower);
    SetText(IDC_EDIT_LON, kLon);
    SetText(IDC_EDIT_LAT, "３５．４０．４０．７８８");  // typed full-width
    EXPECT_TRUE(ClickAndReadMessage(*this, IDC_EDIT_COPY_POSITION).empty());
    EXPECT_EQ(Clipboard(), L"35.681236, 139.767125");
    // A field that holds no coordinate: its message, and the clipboard keeps what it had.
    SetClipboard(L"kept");
    SetText(IDC_EDIT_LAT, "");
    EXPECT_TRUE(Mentions(ClickAndReadMessage(*this, IDC_EDIT_COPY_POSITION), "北緯を入力してください。"));
    EXPECT_EQ(Clipboard(), L"kept");
    EXPECT_EQ(Text(IDC_EDIT_LON), kLon) << "copying changes no field";
}

}  // namespace
}  // namespace vondrel
