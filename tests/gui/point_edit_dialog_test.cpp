// The point edit dialog and the mark picker made from their real templates and driven by
// messages: opening and OK, the direction controls, mark number and icon, map position, the
// ways to cancel, text code page 932 cannot hold, the picker, tab order and layout.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "resource.h"
#include "dialogs/mark_picker_dialog.h"
#include "dialogs/point_edit_dialog.h"
#include "editing/point_edit_logic.h"
#include "gui/gui_harness.h"
#include "win/image_list.h"
#include "os/win32_text.h"

namespace vondrel {
namespace {

std::string TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, &text[0], static_cast<int>(text.size()))));
    return os::ToCp932(text);
}

RECT RectIn(HWND parent, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Inside(const RECT& inner, const RECT& outer) {
    RECT overlap{};
    return IntersectRect(&overlap, &inner, &outer) && EqualRect(&overlap, &inner);
}

// The mark images from the mark files in the working folder; records every icon handed out.
struct MarkIcons {
    MarkIcons() {
        images.Create(32, 55, 1);
        for (int n = 1; n <= 55; ++n) {
            wchar_t name[16];
            swprintf(name, 16, L"mark%02d.ico", n);
            HICON icon = static_cast<HICON>(LoadImageW(nullptr, name, IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
            images.AddIcon(icon);
            DestroyIcon(icon);
        }
    }
    std::function<HICON(int)> Function() {
        return [this](int index) {
            made.push_back({index, images.MakeIcon(index)});
            return made.back().second;
        };
    }
    // The image index of `icon`, -1 for none, -2 for an icon not made here.
    int IndexOf(HICON icon) const {
        if (!icon) return -1;
        for (auto m = made.rbegin(); m != made.rend(); ++m) {
            if (m->second == icon) return m->first;
        }
        return -2;
    }
    void ExpectAllFreed() const {
        for (const auto& [index, icon] : made) {
            ICONINFO info{};
            EXPECT_FALSE(GetIconInfo(icon, &info)) << "image " << index << " leaked";
        }
    }
    win::ImageList images;
    std::vector<std::pair<int, HICON>> made;
};

// Runs `trigger`, which enters a modal loop; on a timer, runs `act` once on the first window
// owned by `owner`, and closes that window if it is still there seconds later, so no test hangs.
struct OwnedWindowWatch {
    HWND owner;
    const std::function<void(HWND)>* act;
    int ticks;
    bool ran;
} watch;

void CALLBACK WatchTick(HWND, UINT, UINT_PTR, DWORD) {
    HWND found = nullptr;
    for (HWND w = GetTopWindow(nullptr); w && !found; w = GetWindow(w, GW_HWNDNEXT)) {
        if (GetWindow(w, GW_OWNER) == watch.owner && IsWindowVisible(w)) found = w;
    }
    if (found && !watch.ran) {
        watch.ran = true;
        (*watch.act)(found);
    } else if (found && ++watch.ticks > 150) {
        PostMessageW(found, WM_CLOSE, 0, 0);
    }
}

bool WithOwnedWindow(HWND owner, const std::function<void(HWND)>& act, const std::function<void()>& trigger) {
    watch = {owner, &act, 0, false};
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, &WatchTick);
    trigger();
    KillTimer(nullptr, timer);
    return watch.ran;
}

// A point as the caller hands it over.
struct Stored {
    std::string name, reading, lon, lat, tel, mark, sound, dcenter;
    int directionOn = 0;
    int mapAvailable = 0;
    std::vector<std::string> Texts() const { return {name, reading, lon, lat, tel, mark, sound, dcenter}; }
};
const Stored kTower{"東京タワー", "とうきょうたわー", "139.30.15.516", " 35.07.24.420", "03-3433-5111", "07", "2", "90", 1, 1};

constexpr int kArrows[] = {IDC_EDIT_DIRECTION_BACK, IDC_EDIT_DIRECTION_TEXT, IDC_EDIT_DIRECTION_FORWARD};

class PointEditDialogTest : public ::testing::Test {
public:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&controls);
        dialog.markIcon = icons.Function();
    }
    void TearDown() override {
        if (dialog.Hwnd()) DestroyWindow(dialog.Hwnd());
        test::Pump();
        icons.ExpectAllFreed();
    }
    void Open(const Stored& p) {
        if (dialog.Hwnd()) DestroyWindow(dialog.Hwnd());
        dialog.name = p.name, dialog.reading = p.reading, dialog.lon = p.lon, dialog.lat = p.lat;
        dialog.tel = p.tel, dialog.mark = p.mark, dialog.sound = p.sound, dialog.dcenter = p.dcenter;
        dialog.directionOn = p.directionOn;
        dialog.mapAvailable = p.mapAvailable;
        ASSERT_NE(dialog.CreateModeless(nullptr), nullptr);
        ShowWindow(dialog.Hwnd(), SW_SHOWNORMAL);
        test::Pump();
    }
    std::vector<std::string> Members() const {
        return {dialog.name, dialog.reading, dialog.lon, dialog.lat, dialog.tel, dialog.mark, dialog.sound, dialog.dcenter};
    }
    HWND Item(int id) const { return GetDlgItem(dialog.Hwnd(), id); }
    std::string Text(int id) const { return TextOf(Item(id)); }
    void SetText(int id, const std::string& text) const {
        SendMessageW(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(os::ToWide(text).c_str()));
    }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    bool Checked(int id) const { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void Click(int id) const { SendMessageW(Item(id), BM_CLICK, 0, 0); }
    void Command(int id, int code = BN_CLICKED) const {
        SendMessageW(dialog.Hwnd(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
    }
    void ChooseSound(int index) const {
        SendMessageW(Item(IDC_EDIT_SOUND), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        Command(IDC_EDIT_SOUND, CBN_SELCHANGE);
    }
    int Selection() const { return static_cast<int>(SendMessageW(Item(IDC_EDIT_SOUND), CB_GETCURSEL, 0, 0)); }
    int ShownImage() const {
        return icons.IndexOf(reinterpret_cast<HICON>(SendMessageW(Item(IDC_EDIT_MARK_ICON), STM_GETICON, 0, 0)));
    }
    // Radios enabled, arrows and field enabled, "有り" checked (and "無し" the opposite).
    void ExpectDirection(bool radios, bool arrows, bool on, const std::string& what) const {
        EXPECT_EQ(Enabled(IDC_EDIT_DIRECTION_ON), radios) << what;
        EXPECT_EQ(Enabled(IDC_EDIT_DIRECTION_OFF), radios) << what;
        for (int id : kArrows) EXPECT_EQ(Enabled(id), arrows) << what << " " << id;
        EXPECT_EQ(Checked(IDC_EDIT_DIRECTION_ON), on) << what;
        EXPECT_EQ(Checked(IDC_EDIT_DIRECTION_OFF), !on) << what;
    }

    MarkIcons icons;
    PointEditDialog dialog;
};

TEST_F(PointEditDialogTest, OpeningShowsTheStoredValuesAndOkWritesThemBack) {
    const struct {
        Stored point;
        int click;   // a button clicked before OK, or 0
        int choose;  // a sound entry chosen before OK, or -1
        const char *number, *field;
        int image, selection;
        std::vector<std::string> stored;  // mark, sound, dcenter after OK
    } cases[] = {
        {{}, 0, -1, "1", "0゜", -1, 0, {"01", "0", "0"}},  // adding: no icon until the number changes
        {kTower, 0, -1, "7", "90゜", 6, 2, {"07", "2", "90"}},
        {{"", "", "", "", "", "99", "61", "355", 1}, 0, -1, "55", "0゜", -1, -1, {"55", "-1", "0"}},
        {{"", "", "", "", "", "x", "abc", "100", 1}, 0, -1, "1", "101゜", -1, 0, {"01", "0", "101"}},
        {{"", "", "", "", "", "1", "3", "0", 1}, IDC_EDIT_DIRECTION_BACK, -1, "1", "349゜", 0, 3, {"01", "3", "349"}},
        {{"", "", "", "", "", "55", "3", "349", 1}, IDC_EDIT_DIRECTION_FORWARD, -1, "55", "0゜", 54, 3, {"55", "3", "0"}},
        {{}, 0, 11, "1", "0゜", -1, 0, {"01", "11", "0"}},  // the twelfth entry
    };
    for (const auto& c : cases) {
        const std::string what = c.point.mark + "/" + c.point.sound + "/" + c.point.dcenter;
        Open(c.point);
        EXPECT_EQ(dialog.isOpen, 1);
        EXPECT_EQ(Text(IDC_EDIT_MARK_NUMBER), c.number) << what;
        EXPECT_EQ(ShownImage(), c.image) << what;
        EXPECT_EQ(Selection(), c.selection) << what;
        if (c.click) Click(c.click);
        if (c.choose >= 0) ChooseSound(c.choose);
        EXPECT_EQ(Text(IDC_EDIT_DIRECTION_TEXT), c.field) << what;
        Command(IDOK);
        EXPECT_EQ(dialog.Hwnd(), nullptr) << what;
        EXPECT_EQ(dialog.Result(), IDOK);
        EXPECT_EQ(dialog.isOpen, 0);
        const std::vector<std::string> members = Members();
        EXPECT_EQ(std::vector<std::string>(members.begin() + 5, members.end()), c.stored) << what;
        EXPECT_EQ(dialog.directionOn, c.point.directionOn) << "OK does not recompute the switch";
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
    EXPECT_EQ(dialog.date + dialog.time, "");

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
    EXPECT_EQ(dialog.directionOn, 1);
    EXPECT_EQ(Text(IDC_EDIT_DIRECTION_TEXT), "101゜");
    ChooseSound(0);
    ExpectDirection(false, false, true, "no sound chosen");
    ChooseSound(5);
    ExpectDirection(true, true, true, "a sound again");
    Click(IDC_EDIT_DIRECTION_OFF);
    ExpectDirection(true, false, false, "無し clicked");
    EXPECT_EQ(dialog.directionOn, 0);
}

TEST_F(PointEditDialogTest, CancelCloseAndEscLeaveTheMembers) {
    const std::function<void(PointEditDialogTest&)> ways[] = {
        [](PointEditDialogTest& t) { t.Command(IDCANCEL); },
        [](PointEditDialogTest& t) { SendMessageW(t.dialog.Hwnd(), WM_CLOSE, 0, 0); },
        [](PointEditDialogTest& t) {
            MSG key{t.Item(IDC_EDIT_NAME), WM_KEYDOWN, VK_ESCAPE, 0x00010001, 0, {0, 0}};
            IsDialogMessageW(t.dialog.Hwnd(), &key);
        },
    };
    for (const auto& end : ways) {
        Open(kTower);
        SetText(IDC_EDIT_NAME, "changed");
        ChooseSound(9);
        Click(IDC_EDIT_DIRECTION_FORWARD);
        SendMessageW(Item(IDC_EDIT_MARK_SPIN), UDM_SETPOS32, 0, 30);
        end(*this);
        EXPECT_EQ(dialog.Hwnd(), nullptr);
        EXPECT_EQ(dialog.Result(), IDCANCEL);
        EXPECT_EQ(dialog.isOpen, 0);
        EXPECT_EQ(Members(), kTower.Texts());
    }
}

TEST_F(PointEditDialogTest, TypedMarkNumbersShowTheirIconOrNone) {
    Open(kTower);
    const struct {
        const char* typed;  // nullptr: the up-down moves to 12
        int image;
    } steps[] = {{nullptr, 11}, {"99", -1}, {"30", 29}, {"x", -1}, {"", -1}, {"55", 54}, {"0", -1}};
    for (const auto& step : steps) {
        if (step.typed) {
            SetText(IDC_EDIT_MARK_NUMBER, step.typed);
        } else {
            SendMessageW(Item(IDC_EDIT_MARK_SPIN), UDM_SETPOS32, 0, 12);
        }
        EXPECT_EQ(ShownImage(), step.image) << (step.typed ? step.typed : "up-down");
    }
    Command(IDOK);
    EXPECT_EQ(dialog.mark, "55") << "the last valid position";
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
    std::vector<PointEditDialog*> calls;
    dialog.showMap = [&](PointEditDialog& sender) { calls.push_back(&sender); };
    Open(kTower);
    EXPECT_TRUE(Enabled(IDC_EDIT_CAPTURE));
    Click(IDC_EDIT_SHOW_MAP);
    EXPECT_EQ(calls, std::vector<PointEditDialog*>{&dialog});
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
    ASSERT_TRUE(WithOwnedWindow(
        dialog.Hwnd(),
        [&](HWND box) {
            for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                boxTexts.push_back(TextOf(child));
            }
            SendMessageW(box, WM_COMMAND, IDOK, 0);
        },
        [&] { Command(IDOK); }));
    EXPECT_NE(std::find(boxTexts.begin(), boxTexts.end(), "使用できない文字が含まれています"), boxTexts.end());
    ASSERT_NE(dialog.Hwnd(), nullptr) << "the dialog stays open";
    EXPECT_EQ(GetFocus(), Item(IDC_EDIT_READING));
    EXPECT_EQ(Members(), kTower.Texts()) << "nothing stored";
    SetText(IDC_EDIT_READING, "えもじ");
    Command(IDOK);
    EXPECT_EQ(dialog.reading, "えもじ");
}

TEST_F(PointEditDialogTest, MarkIconOpensThePickerAndKeepsTheMark) {
    Open(kTower);
    std::string caption;
    int images = 0;
    bool stayedOpen = false;
    ASSERT_TRUE(WithOwnedWindow(
        dialog.Hwnd(),
        [&](HWND picker) {
            caption = TextOf(picker);
            for (HWND b = GetWindow(picker, GW_CHILD); b; b = GetWindow(b, GW_HWNDNEXT)) {
                images += icons.IndexOf(reinterpret_cast<HICON>(SendMessageW(b, BM_GETIMAGE, IMAGE_ICON, 0))) >= 0;
            }
            SendMessageW(GetDlgItem(picker, 1069), BM_CLICK, 0, 0);
            stayedOpen = IsWindowVisible(picker);
            SendMessageW(GetDlgItem(picker, IDCANCEL), BM_CLICK, 0, 0);
        },
        [&] { Command(IDC_EDIT_MARK_ICON, STN_CLICKED); }));
    EXPECT_EQ(caption, "ﾀﾞｲｱﾛｸﾞ");
    EXPECT_EQ(images, 55);
    EXPECT_TRUE(stayedOpen) << "a mark button does not close the picker";
    EXPECT_EQ(Text(IDC_EDIT_MARK_NUMBER), "7");
    EXPECT_EQ(ShownImage(), 6);
    Command(IDOK);
    EXPECT_EQ(dialog.mark, "07");
}

// Tab goes in reading order; of the radio pair only the checked one is a stop (landing on the
// other would switch it).
TEST_F(PointEditDialogTest, TabOrderFollowsTheLayout) {
    const std::vector<int> head = {IDC_EDIT_NAME, IDC_EDIT_READING, IDC_EDIT_LON, IDC_EDIT_LAT,
                                   IDC_EDIT_TEL,  IDC_EDIT_MARK_NUMBER, IDC_EDIT_SOUND};
    const std::vector<int> tail = {IDC_EDIT_CAPTURE, IDC_EDIT_SHOW_MAP, IDOK, IDCANCEL};
    for (int on : {1, 0}) {
        Open({"", "", "", "", "", "1", "3", "0", on, 1});
        std::vector<int> expected = head;
        expected.push_back(on ? IDC_EDIT_DIRECTION_ON : IDC_EDIT_DIRECTION_OFF);
        if (on) expected.insert(expected.end(), std::begin(kArrows), std::end(kArrows));
        expected.insert(expected.end(), tail.begin(), tail.end());
        std::vector<int> visited;
        HWND current = Item(IDC_EDIT_NAME);
        do {
            visited.push_back(GetDlgCtrlID(current));
            current = GetNextDlgTabItem(dialog.Hwnd(), current, FALSE);
        } while (current != Item(IDC_EDIT_NAME) && visited.size() < 30);
        EXPECT_EQ(visited, expected);
        for (std::size_t i = 1; i < visited.size(); ++i) {  // below, or to the right on the same line
            const RECT a = RectIn(dialog.Hwnd(), Item(visited[i - 1])), b = RectIn(dialog.Hwnd(), Item(visited[i]));
            EXPECT_TRUE((b.top < a.bottom && a.top < b.bottom) ? b.left >= a.right : b.top >= a.top) << visited[i];
        }
    }
}

// Nothing overlaps or leaves the dialog, every caption fits, each control sits in its group.
TEST_F(PointEditDialogTest, LayoutHasNoClippingOrOverlap) {
    Open(kTower);
    const HWND window = dialog.Hwnd();
    RECT client{};
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    std::vector<HWND> controls, groups;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongW(c, GWL_STYLE);
        wchar_t cls[32] = {};
        GetClassNameW(c, cls, 32);
        const bool button = lstrcmpiW(cls, L"Button") == 0;
        const bool group = button && (style & BS_TYPEMASK) == BS_GROUPBOX;
        (group ? groups : controls).push_back(c);
        const RECT rect = RectIn(window, c);
        EXPECT_TRUE(Inside(rect, client)) << TextOf(c) << " leaves the dialog";
        const std::wstring text = os::ToWide(TextOf(c));
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        int room = rect.right - rect.left;
        if (group) room -= 16;
        if (button && (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON) room -= GetSystemMetrics(SM_CXMENUCHECK) + 4;
        if (button && (style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON) room -= 8;
        const bool captioned = button || (lstrcmpiW(cls, L"Static") == 0 && (style & SS_TYPEMASK) != SS_ICON);
        if (captioned) {
            EXPECT_LE(size.cx, room) << "'" << TextOf(c) << "' is clipped";
        }
    }
    ReleaseDC(window, dc);
    ASSERT_EQ(groups.size(), 5u);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const RECT a = RectIn(window, controls[i]);
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            if (controls[j] == Item(IDC_EDIT_MARK_SPIN)) continue;  // it sits on its buddy's edge by design
            RECT b = RectIn(window, controls[j]), overlap{};
            EXPECT_FALSE(IntersectRect(&overlap, &a, &b)) << TextOf(controls[i]) << " overlaps " << TextOf(controls[j]);
        }
        for (HWND group : groups) {
            RECT g = RectIn(window, group), overlap{};
            EXPECT_TRUE(!IntersectRect(&overlap, &a, &g) || Inside(a, g)) << GetDlgCtrlID(controls[i]) << " straddles a group";
        }
    }
    const std::vector<int> members[] = {
        {IDC_EDIT_MARK_ICON, IDC_EDIT_MARK_NUMBER, IDC_EDIT_MARK_SPIN},
        {IDC_EDIT_SOUND},
        {IDC_EDIT_DIRECTION_ON, IDC_EDIT_DIRECTION_OFF},
        {IDC_EDIT_DIRECTION_BACK, IDC_EDIT_DIRECTION_TEXT, IDC_EDIT_DIRECTION_FORWARD},
        {IDC_EDIT_MAP_LON, IDC_EDIT_MAP_LAT, IDC_EDIT_CAPTURE, IDC_EDIT_SHOW_MAP},
    };
    const char* names[] = {"２Ｄマーク", "効果音：", "方向指定：", "方向：", "地図の位置"};
    for (std::size_t g = 0; g < groups.size(); ++g) {
        EXPECT_EQ(TextOf(groups[g]), names[g]);
        for (int id : members[g]) EXPECT_TRUE(Inside(RectIn(window, Item(id)), RectIn(window, groups[g]))) << id;
    }
}

TEST_F(PointEditDialogTest, TemplateStylesAndTheSoundList) {
    Open({});
    EXPECT_EQ(TextOf(dialog.Hwnd()), "編集");
    const struct {
        int id;
        const char* text;  // nullptr: not checked
        LONG mask, type, styles;
    } cases[] = {
        {IDC_EDIT_MARK_ICON, nullptr, SS_TYPEMASK, SS_ICON, SS_SUNKEN | SS_NOTIFY},
        {IDC_EDIT_MARK_NUMBER, nullptr, ES_READONLY, 0, ES_RIGHT},
        {IDC_EDIT_MARK_SPIN, nullptr, 0, 0, UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS},
        {IDC_EDIT_SOUND, nullptr, 3 | CBS_SORT, CBS_DROPDOWN, WS_TABSTOP},
        {IDC_EDIT_DIRECTION_ON, "有り", BS_TYPEMASK, BS_AUTORADIOBUTTON, WS_GROUP},
        {IDC_EDIT_DIRECTION_OFF, "無し", BS_TYPEMASK | WS_GROUP, BS_AUTORADIOBUTTON, 0},
        {IDC_EDIT_DIRECTION_BACK, "←", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP},
        {IDC_EDIT_DIRECTION_TEXT, nullptr, 0, 0, ES_READONLY | ES_RIGHT},
        {IDC_EDIT_DIRECTION_FORWARD, "→", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP},
        {IDC_EDIT_CAPTURE, "位置取込", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP},
        {IDC_EDIT_SHOW_MAP, "地図表示", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP},
        {IDOK, "OK", BS_TYPEMASK, BS_DEFPUSHBUTTON, WS_TABSTOP},
        {IDCANCEL, "CANCEL", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP},
    };
    for (const auto& c : cases) {
        const LONG style = GetWindowLongW(Item(c.id), GWL_STYLE);
        EXPECT_EQ(style & c.mask, c.type) << c.id;
        EXPECT_EQ(style & c.styles, c.styles) << c.id;
        if (c.text) {
            EXPECT_EQ(Text(c.id), c.text) << c.id;
        }
    }
    const HWND spin = Item(IDC_EDIT_MARK_SPIN);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(spin, UDM_GETBUDDY, 0, 0)), Item(IDC_EDIT_MARK_NUMBER));
    int lower = 0, upper = 0;
    SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
    EXPECT_EQ(std::make_pair(lower, upper), std::make_pair(1, 55));

    const HWND combo = Item(IDC_EDIT_SOUND);
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 61);
    for (int id = 0; id < 61; ++id) {
        wchar_t text[64] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(os::ToCp932(text), point_edit::SoundNames[static_cast<std::size_t>(id)]) << id;
    }
    // Dropped, the list shows the template's height (not the default 30 entries) and scrolls.
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo, &info));
    RECT list{};
    GetClientRect(info.hwndList, &list);
    const int visible = list.bottom / static_cast<int>(SendMessageW(info.hwndList, LB_GETITEMHEIGHT, 0, 0));
    EXPECT_TRUE(visible >= 12 && visible < 30) << visible;
    EXPECT_TRUE(GetWindowLongW(info.hwndList, GWL_STYLE) & WS_VSCROLL);
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
}

class MarkPickerTest : public ::testing::Test {
protected:
    MarkIcons icons;
};

TEST_F(MarkPickerTest, FiftyFiveEqualButtonsInReadingOrder) {
    const int ids[55] = {1001, 1002, 1068, 1069, 1070, 1003, 1004, 1071, 1072, 1073, 1005,
                         1012, 1013, 1014, 1015, 1016, 1017, 1018, 1019, 1020, 1021, 1022,
                         1034, 1035, 1036, 1037, 1038, 1039, 1040, 1041, 1042, 1043, 1044,
                         1045, 1046, 1047, 1048, 1049, 1050, 1051, 1052, 1053, 1054, 1055,
                         1056, 1057, 1058, 1059, 1060, 1061, 1062, 1063, 1064, 1065, 1066};
    MarkPickerDialog picker(icons.Function());
    ASSERT_NE(picker.CreateModeless(nullptr), nullptr);
    const HWND window = picker.Hwnd();
    EXPECT_EQ(TextOf(window), "ﾀﾞｲｱﾛｸﾞ");
    const RECT first = RectIn(window, GetDlgItem(window, ids[0]));
    // Equal spacing in dialog units: within a pixel in screen pixels.
    const double dx = (RectIn(window, GetDlgItem(window, ids[10])).left - first.left) / 10.0;
    const double dy = (RectIn(window, GetDlgItem(window, ids[44])).top - first.top) / 4.0;
    EXPECT_TRUE(dx > first.right - first.left && dy > first.bottom - first.top) << "no overlap";
    for (int n = 0; n < 55; ++n) {
        const HWND button = GetDlgItem(window, ids[n]);
        ASSERT_NE(button, nullptr) << ids[n];
        EXPECT_EQ(TextOf(button), "Button1");
        EXPECT_TRUE(GetWindowLongW(button, GWL_STYLE) & BS_ICON);
        EXPECT_EQ(icons.IndexOf(reinterpret_cast<HICON>(SendMessageW(button, BM_GETIMAGE, IMAGE_ICON, 0))), n)
            << "button " << n + 1 << " shows mark " << n + 1;
        const RECT rect = RectIn(window, button);
        EXPECT_NEAR(rect.left - first.left, (n % 11) * dx, 1.0) << n;
        EXPECT_NEAR(rect.top - first.top, (n / 11) * dy, 1.0) << n;
        EXPECT_EQ(rect.right - rect.left, first.right - first.left);
        EXPECT_EQ(rect.bottom - rect.top, first.bottom - first.top);
    }
    EXPECT_EQ(GetWindowLongW(GetDlgItem(window, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(TextOf(GetDlgItem(window, IDCANCEL)), "ｷｬﾝｾﾙ");
    EXPECT_GE(RectIn(window, GetDlgItem(window, IDOK)).top, RectIn(window, GetDlgItem(window, ids[54])).bottom);
}

TEST_F(MarkPickerTest, MarkButtonsDoNothingAndTheEndFreesTheIcons) {
    for (int ending : {IDOK, IDCANCEL}) {
        MarkPickerDialog picker(icons.Function());
        ASSERT_NE(picker.CreateModeless(nullptr), nullptr);
        for (int id : {1001, 1073, 1066}) SendMessageW(GetDlgItem(picker.Hwnd(), id), BM_CLICK, 0, 0);
        ASSERT_NE(picker.Hwnd(), nullptr);
        SendMessageW(GetDlgItem(picker.Hwnd(), ending), BM_CLICK, 0, 0);
        EXPECT_EQ(picker.Hwnd(), nullptr);
        EXPECT_EQ(picker.Result(), ending);
        icons.ExpectAllFreed();
    }
    MarkPickerDialog blank(nullptr);  // no images to give: blank buttons
    ASSERT_NE(blank.CreateModeless(nullptr), nullptr);
    EXPECT_EQ(SendMessageW(GetDlgItem(blank.Hwnd(), 1001), BM_GETIMAGE, IMAGE_ICON, 0), 0);
}

}  // namespace
}  // namespace vondrel
