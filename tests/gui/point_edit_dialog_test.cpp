// The point edit dialog made from its real template and driven by messages: opening and OK,
// the direction controls, mark number and icon, map position, the ways to cancel, the checks of
// what was typed (text code page 932 cannot hold, names, coordinates, marks), and the mark picker.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "gui/dialog_test_support.h"
#include "resource.h"

namespace vondrel {
namespace {

using test::PointEditDialogTest;
using test::TextOf;
using test::kArrows;
using test::kTower;
using test::MarkIcons;
using test::Stored;
using test::WithOwnedWindow;

// Presses OK, collects the texts of the message box it shows and closes that box; false when
// no box came.
bool OkAndAnswerTheMessage(PointEditDialogTest& test, std::vector<std::string>& texts) {
    return WithOwnedWindow(
        test.dialog->Hwnd(),
        [&](HWND box) {
            for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                texts.push_back(TextOf(child));
            }
            SendMessageW(box, WM_COMMAND, IDOK, 0);
        },
        [&] { test.Command(IDOK); });
}

TEST_F(PointEditDialogTest, OpeningShowsTheStoredValuesAndOkWritesThemBack) {
    const struct {
        Stored point;
        int click;   // a button clicked before OK, or 0
        int choose;  // a sound entry chosen before OK, or -1
        const char *number, *field;
        int image, selection;
        std::vector<std::string> stored;  // mark, sound, dcenter after OK
    } cases[] = {
        {{}, 0, -1, "", "0゜", -1, 0, {"00", "0", "0"}},  // no mark: none shown, none stored
        {kTower, 0, -1, "7", "90゜", 6, 2, {"07", "2", "90"}},
        {{"", "", "", "", "", "99", "61", "355", 1}, 0, -1, "55", "0゜", -1, -1, {"55", "-1", "0"}},
        {{"", "", "", "", "", "x", "abc", "100", 1}, 0, -1, "", "101゜", -1, 0, {"00", "0", "101"}},
        {{"", "", "", "", "", "1", "3", "0", 1}, IDC_EDIT_DIRECTION_BACK, -1, "1", "349゜", 0, 3, {"01", "3", "349"}},
        {{"", "", "", "", "", "55", "3", "349", 1}, IDC_EDIT_DIRECTION_FORWARD, -1, "55", "0゜", 54, 3, {"55", "3", "0"}},
        {{}, 0, 11, "", "0゜", -1, 0, {"00", "11", "0"}},  // the twelfth entry
    };
    for (const auto& c : cases) {
        const std::string what = c.point.mark + "/" + c.point.sound + "/" + c.point.dcenter;
        Open(c.point);
        EXPECT_EQ(Text(IDC_EDIT_MARK_NUMBER), c.number) << what;
        EXPECT_EQ(ShownImage(), c.image) << what;
        EXPECT_EQ(Selection(), c.selection) << what;
        if (c.click) Click(c.click);
        if (c.choose >= 0) ChooseSound(c.choose);
        EXPECT_EQ(Text(IDC_EDIT_DIRECTION_TEXT), c.field) << what;
        Command(IDOK);
        EXPECT_EQ(dialog->Hwnd(), nullptr) << what;
        EXPECT_EQ(dialog->Result(), IDOK);
        const std::vector<std::string> members = Members();
        EXPECT_EQ(std::vector<std::string>(members.begin() + 5, members.end()), c.stored) << what;
        EXPECT_EQ(dialog->Chosen()->directionOn, c.point.directionOn) << "OK does not recompute the switch";
    }
    Open({});
    EXPECT_EQ(Text(IDC_EDIT_SOUND), "サウンドなし");
    for (int id : {IDC_EDIT_DATE, IDC_EDIT_TIME, IDC_EDIT_MAP_LON, IDC_EDIT_MAP_LAT, IDC_EDIT_SHOW_MAP, IDC_EDIT_CAPTURE}) {
        EXPECT_FALSE(Enabled(id)) << id;
    }
}

TEST_F(PointEditDialogTest, TextsComeBackExactlyUnlessEdited) {
    Stored point = kTower;
    point.reading = std::string(3000, 'r');  // long texts pass whole
    Open(point);
    EXPECT_EQ(Text(IDC_EDIT_LAT), " 35.07.24.420");
    Command(IDOK);
    EXPECT_EQ(Members(), point.Texts());
    EXPECT_EQ(Text(IDC_EDIT_DATE) + Text(IDC_EDIT_TIME), "");

    Open(kTower);
    const std::vector<std::string> typed = {"新しい名前～①", "あたらしい", "140.00.00.000", " 36.00.00.000", "045-000-0000"};
    const int ids[] = {IDC_EDIT_NAME, IDC_EDIT_READING, IDC_EDIT_LON, IDC_EDIT_LAT, IDC_EDIT_TEL};
    for (std::size_t i = 0; i < typed.size(); ++i) SetText(ids[i], typed[i]);
    Command(IDOK);
    const std::vector<std::string> members = Members();
    EXPECT_EQ(std::vector<std::string>(members.begin(), members.begin() + 5), typed);
}

TEST_F(PointEditDialogTest, SoundAndSwitchDriveTheDirectionControls) {
    const struct {
        const char* sound;
        int directionOn;
        bool radios, arrows, on;
    } opening[] = {
        {"", 0, false, false, false}, {"0", 1, false, false, true},  // no sound: checks kept
        {"3", 0, true, false, false}, {"3", 1, true, true, true},
        {"3", 2, true, true, true},   {"61", 1, true, true, true},   // no entry is not "no sound"
    };
    for (const auto& c : opening) {
        Open({"", "", "", "", "", "", c.sound, "", c.directionOn});
        ExpectDirection(c.radios, c.arrows, c.on, std::string(c.sound) + "/" + std::to_string(c.directionOn));
    }
    Open({"", "", "", "", "", "", "3", "100", 0});
    Click(IDC_EDIT_DIRECTION_ON);
    ExpectDirection(true, true, true, "有り clicked");
    EXPECT_EQ(Text(IDC_EDIT_DIRECTION_TEXT), "101゜");
    ChooseSound(0);
    ExpectDirection(false, false, true, "no sound chosen");
    ChooseSound(5);
    ExpectDirection(true, true, true, "a sound again");
    Click(IDC_EDIT_DIRECTION_OFF);
    ExpectDirection(true, false, false, "無し clicked");
    Command(IDOK);
    EXPECT_EQ(dialog->Chosen()->directionOn, 0);
}

TEST_F(PointEditDialogTest, CancelCloseAndEscHandNothingBack) {
    const std::function<void(PointEditDialogTest&)> ways[] = {
        [](PointEditDialogTest& t) { t.Command(IDCANCEL); },
        [](PointEditDialogTest& t) { SendMessageW(t.dialog->Hwnd(), WM_CLOSE, 0, 0); },
        [](PointEditDialogTest& t) {
            MSG key{t.Item(IDC_EDIT_NAME), WM_KEYDOWN, VK_ESCAPE, 0x00010001, 0, {0, 0}};
            IsDialogMessageW(t.dialog->Hwnd(), &key);
        },
    };
    for (const auto& end : ways) {
        Open(kTower);
        SetText(IDC_EDIT_NAME, "changed");
        ChooseSound(9);
        Click(IDC_EDIT_DIRECTION_FORWARD);
        SendMessageW(Item(IDC_EDIT_MARK_SPIN), UDM_SETPOS32, 0, 30);
        end(*this);
        EXPECT_EQ(dialog->Hwnd(), nullptr);
        EXPECT_EQ(dialog->Result(), IDCANCEL);
        EXPECT_FALSE(dialog->Chosen());
    }
}

TEST_F(PointEditDialogTest, TypedMarkNumbersShowTheirIconOrNone) {
    Open(kTower);
    const struct {
        const char* typed;  // nullptr: the up-down moves to 12
        int image;
    } steps[] = {{nullptr, 11}, {"99", -1}, {"30", 29}, {"x", -1}, {"", -1}, {"0", -1}, {"55", 54}};
    for (const auto& step : steps) {
        if (step.typed) {
            SetText(IDC_EDIT_MARK_NUMBER, step.typed);
        } else {
            SendMessageW(Item(IDC_EDIT_MARK_SPIN), UDM_SETPOS32, 0, 12);
        }
        EXPECT_EQ(ShownImage(), step.image) << (step.typed ? step.typed : "up-down");
    }
    Command(IDOK);
    EXPECT_EQ(dialog->Chosen()->mark, "55");
}

TEST_F(PointEditDialogTest, CapturePositionNeedsBothMapFields) {
    const struct {
        std::string mapLon, mapLat, lon, lat;
    } cases[] = {
        {"140.10.20.300", " 36.01.02.030", "140.10.20.300", " 36.01.02.030"},
        {"140.10.20.300", "", kTower.lon, kTower.lat},
        {"", " 36.01.02.030", kTower.lon, kTower.lat},
        {std::string(300, '9'), "1", std::string(255, '9'), "1"},  // read up to 255 bytes
    };
    for (const auto& c : cases) {
        Open(kTower);
        SetText(IDC_EDIT_MAP_LON, c.mapLon);
        SetText(IDC_EDIT_MAP_LAT, c.mapLat);
        Click(IDC_EDIT_CAPTURE);
        EXPECT_EQ(Text(IDC_EDIT_LON), c.lon) << c.mapLon << "/" << c.mapLat;
        EXPECT_EQ(Text(IDC_EDIT_LAT), c.lat) << c.mapLon << "/" << c.mapLat;
        EXPECT_EQ(Text(IDC_EDIT_NAME), kTower.name);
    }
}

TEST_F(PointEditDialogTest, ShowMapAndTheNextShowing) {
    std::vector<std::string> calls;
    services.showMap = [&](const PointFields& shown) { calls.push_back(shown.name); };
    Open(kTower);
    EXPECT_TRUE(Enabled(IDC_EDIT_CAPTURE));
    SetText(IDC_EDIT_NAME, "typed");
    Click(IDC_EDIT_SHOW_MAP);
    EXPECT_EQ(calls, std::vector<std::string>{kTower.name}) << "the point as it was opened";
    SetText(IDC_EDIT_MAP_LON, "140.00.00.000");
    Command(IDOK);
    Open({"", "", "", "", "", "3", "0", "45", 0, 0});
    EXPECT_EQ(Text(IDC_EDIT_MAP_LON), "") << "the map position starts empty at every showing";
    EXPECT_FALSE(Enabled(IDC_EDIT_SHOW_MAP));
    EXPECT_EQ(ShownImage(), 2);
    EXPECT_EQ(Text(IDC_EDIT_DIRECTION_TEXT), "45゜");
}

TEST_F(PointEditDialogTest, TextWithoutACodePage932FormKeepsTheDialogOpen) {
    Open(kTower);
    SendMessageW(Item(IDC_EDIT_READING), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"えもじ\U0001F600"));
    std::vector<std::string> boxTexts;
    ASSERT_TRUE(OkAndAnswerTheMessage(*this, boxTexts));
    EXPECT_NE(std::find(boxTexts.begin(), boxTexts.end(), "使用できない文字が含まれています"), boxTexts.end());
    ASSERT_NE(dialog->Hwnd(), nullptr) << "the dialog stays open";
    EXPECT_EQ(GetFocus(), Item(IDC_EDIT_READING));
    EXPECT_FALSE(dialog->Chosen()) << "nothing handed back";
    SetText(IDC_EDIT_READING, "えもじ");
    Command(IDOK);
    EXPECT_EQ(dialog->Chosen()->reading, "えもじ");
}

// A click on a mark in the picker sets it (the picker used to ignore it); Cancel changes nothing.
TEST_F(PointEditDialogTest, MarkIconOpensThePickerWhichPicks) {
    Open(kTower);
    std::string caption;
    int images = 0;
    ASSERT_TRUE(WithOwnedWindow(
        dialog->Hwnd(),
        [&](HWND picker) {
            caption = TextOf(picker);
            for (HWND b = GetWindow(picker, GW_CHILD); b; b = GetWindow(b, GW_HWNDNEXT)) {
                images += icons.IndexOf(reinterpret_cast<HICON>(SendMessageW(b, BM_GETIMAGE, IMAGE_ICON, 0))) >= 0;
            }
            SendMessageW(GetDlgItem(picker, IDC_PICKER_MARK_4), BM_CLICK, 0, 0);
        },
        [&] { Command(IDC_EDIT_MARK_ICON, STN_CLICKED); }));
    EXPECT_EQ(caption, "ﾀﾞｲｱﾛｸﾞ");
    EXPECT_EQ(images, 55);
    EXPECT_EQ(Text(IDC_EDIT_MARK_NUMBER), "4");
    EXPECT_EQ(ShownImage(), 3);
    ASSERT_TRUE(WithOwnedWindow(dialog->Hwnd(), [](HWND picker) { SendMessageW(picker, WM_CLOSE, 0, 0); },
                                [&] { Command(IDC_EDIT_MARK_ICON, STN_CLICKED); }));
    EXPECT_EQ(Text(IDC_EDIT_MARK_NUMBER), "4") << "closing the picker picks nothing";
    Command(IDOK);
    EXPECT_EQ(dialog->Chosen()->mark, "04");
}

// OK with a text the table would not store as typed: a message naming the field, the dialog
// stays open with that field's text selected, and nothing is handed back.
TEST_F(PointEditDialogTest, OkChecksTheTypedFieldsFirst) {
    const struct {
        int id;
        std::string typed;
        std::string message;
    } cases[] = {
        {IDC_EDIT_NAME, "東京タワー大展望台", "地点名称が長すぎます（18/16 バイト）。\n全角 8 文字、半角 16 文字までで入力してください。"},
        {IDC_EDIT_LON, "139.74224", "東経の分は 0～59 です。\n度.分.秒.ミリ秒 の形で入力してください（例 139.44.28.860）。"},
        {IDC_EDIT_LAT, "hello", "北緯を読み取れません。\n度.分.秒.ミリ秒 の形で入力してください（例 35.39.31.140）。"},
        {IDC_EDIT_LAT, "95", "北緯は 0～90 度の範囲です。\n度.分.秒.ミリ秒 の形で入力してください（例 35.39.31.140）。"},
        {IDC_EDIT_MARK_NUMBER, "99", "２Ｄマークは 1～55 の番号で入力してください。"},
    };
    for (const auto& c : cases) {
        Open(kTower);
        SetText(c.id, c.typed);
        std::vector<std::string> boxTexts;
        ASSERT_TRUE(OkAndAnswerTheMessage(*this, boxTexts));
        EXPECT_NE(std::find(boxTexts.begin(), boxTexts.end(), c.message), boxTexts.end()) << c.typed;
        ASSERT_NE(dialog->Hwnd(), nullptr) << "the dialog stays open";
        EXPECT_EQ(GetFocus(), Item(c.id)) << c.typed;
        DWORD start = 1, end = 0;
        SendMessageW(Item(c.id), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(end - start, os::ToWide(c.typed).size()) << "its text selected";
        EXPECT_FALSE(dialog->Chosen()) << "nothing handed back";
    }
    // Full-width digits are made half-width; the byte count follows the name.
    Open(kTower);
    EXPECT_EQ(Text(IDC_EDIT_NAME_BYTES), "10/16");
    SetText(IDC_EDIT_NAME, "東京タワー展望台");
    EXPECT_EQ(Text(IDC_EDIT_NAME_BYTES), "16/16");
    SetText(IDC_EDIT_LON, "１３９．４４．４９．０００");
    Command(IDOK);
    ASSERT_EQ(dialog->Hwnd(), nullptr);
    EXPECT_EQ(dialog->Chosen()->name, "東京タワー展望台");
    EXPECT_EQ(dialog->Chosen()->lon, "139.44.49.000");
}
}  // namespace
}  // namespace vondrel
