// Helpers of the dialog tests.
#include "gui/dialog_test_support.h"

namespace vondrel::test {

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

MarkIcons::MarkIcons() {
    images.Create(32, 55, 1);
    for (int n = 1; n <= 55; ++n) {
        wchar_t name[16];
        swprintf(name, 16, L"mark%02d.ico", n);
        HICON icon = static_cast<HICON>(LoadImageW(nullptr, name, IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
        images.AddIcon(icon);
        DestroyIcon(icon);
    }
}

std::function<HICON(int)> MarkIcons::Function() {
    return [this](int index) {
        made.push_back({index, images.MakeIcon(index)});
        return made.back().second;
    };
}

int MarkIcons::IndexOf(HICON icon) const {
    if (!icon) return -1;
    for (auto m = made.rbegin(); m != made.rend(); ++m) {
        if (m->second == icon) return m->first;
    }
    return -2;
}

void MarkIcons::ExpectAllFreed() const {
    for (const auto& [index, icon] : made) {
        ICONINFO info{};
        EXPECT_FALSE(GetIconInfo(icon, &info)) << "image " << index << " leaked";
    }
}

namespace {
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
}  // namespace

bool WithOwnedWindow(HWND owner, const std::function<void(HWND)>& act, const std::function<void()>& trigger) {
    watch = {owner, &act, 0, false};
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, &WatchTick);
    trigger();
    KillTimer(nullptr, timer);
    return watch.ran;
}

}  // namespace vondrel::test
