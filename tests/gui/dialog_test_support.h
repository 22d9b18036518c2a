// What the dialog tests share: control texts and rectangles, the mark icons handed to the
// dialogs (with a check that each was freed), a watch for the modal windows a dialog opens, and
// a fixture holding a point edit dialog made from its real template.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "dialogs/point_edit_dialog.h"
#include "gui/gui_harness.h"
#include "os/win32_text.h"
#include "resource.h"
#include "win/image_list.h"

namespace vondrel::test {

std::string TextOf(HWND window);
// A control's rectangle in its parent's client coordinates.
RECT RectIn(HWND parent, HWND control);
bool Inside(const RECT& inner, const RECT& outer);

// The mark images from the mark files in the working folder; records every icon handed out.
struct MarkIcons {
    MarkIcons();
    std::function<HICON(int)> Function();
    // The image index of `icon`, -1 for none, -2 for an icon not made here.
    int IndexOf(HICON icon) const;
    void ExpectAllFreed() const;

    win::ImageList images;
    std::vector<std::pair<int, HICON>> made;
};

// Runs `trigger`, which enters a modal loop; on a timer, runs `act` once on the first window
// owned by `owner`, and closes that window if it is still there seconds later, so no test hangs.
bool WithOwnedWindow(HWND owner, const std::function<void(HWND)>& act, const std::function<void()>& trigger);

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
        services.markIcon = icons.Function();
    }
    void TearDown() override {
        dialog.reset();
        test::Pump();
        icons.ExpectAllFreed();
    }
    void Open(const Stored& p) {
        dialog.reset();
        services.mapAvailable = p.mapAvailable != 0;
        dialog = std::make_unique<PointEditDialog>(
            PointFields{p.name, p.reading, p.lon, p.lat, p.tel, p.mark, p.sound, p.dcenter, p.directionOn}, services);
        ASSERT_NE(dialog->CreateModeless(nullptr), nullptr);
        ShowWindow(dialog->Hwnd(), SW_SHOWNORMAL);
        test::Pump();
    }
    // The fields handed back; none when the dialog was not ended by OK.
    std::vector<std::string> Members() const {
        if (!dialog->Chosen()) return {};
        const PointFields& f = *dialog->Chosen();
        return {f.name, f.reading, f.lon, f.lat, f.tel, f.mark, f.sound, f.dcenter};
    }
    HWND Item(int id) const { return GetDlgItem(dialog->Hwnd(), id); }
    std::string Text(int id) const { return TextOf(Item(id)); }
    void SetText(int id, const std::string& text) const {
        SendMessageW(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(os::ToWide(text).c_str()));
    }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    bool Checked(int id) const { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void Click(int id) const { SendMessageW(Item(id), BM_CLICK, 0, 0); }
    void Command(int id, int code = BN_CLICKED) const {
        SendMessageW(dialog->Hwnd(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
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
    PointEditServices services;
    std::unique_ptr<PointEditDialog> dialog;
};

}  // namespace vondrel::test
