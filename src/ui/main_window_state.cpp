// What the main window keeps between runs and how it follows the screen: its size and place on
// its monitor, the recent files of ファイル > 最近使ったファイル, and its scale (the layout, list
// columns, mark images and status bar panes at the window's DPI, again whenever it changes).
#include <algorithm>
#include <string>

#include "editing/window_scale.h"
#include "os/file_io.h"
#include "resource.h"
#include "ui/main_dialog.h"
#include "win/dpi.h"
#include "win/known_folders.h"

namespace vondrel {

namespace {
constexpr const char* kPlaceNames[] = {"WindowLeft",  "WindowTop",  "WindowRight",  "WindowBottom",
                                       "MonitorLeft", "MonitorTop", "MonitorRight", "MonitorBottom"};

std::string RecentName(std::size_t index) { return "RecentFile" + std::to_string(index + 1); }

// The offset of workspace coordinates (GetWindowPlacement's) from screen coordinates.
POINT WorkspaceOffset() {
    MONITORINFO primary{};
    primary.cbSize = sizeof primary;
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary);
    return {primary.rcWork.left - primary.rcMonitor.left, primary.rcWork.top - primary.rcMonitor.top};
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& r = info.rcMonitor;
        reinterpret_cast<std::vector<ScreenRect>*>(list)->push_back({r.left, r.top, r.right, r.bottom});
    }
    return TRUE;
}

// The File menu's 最近使ったファイル submenu.
HMENU RecentMenu(HWND window) {
    const HMENU file = GetSubMenu(GetMenu(window), 0);
    for (int item = 0, count = GetMenuItemCount(file); item < count; ++item) {
        const HMENU sub = GetSubMenu(file, item);
        if (sub && GetMenuState(sub, ID_FILE_RECENT_NONE, MF_BYCOMMAND) != static_cast<UINT>(-1)) return sub;
        if (sub && GetMenuState(sub, ID_FILE_RECENT_FIRST, MF_BYCOMMAND) != static_cast<UINT>(-1)) return sub;
    }
    return nullptr;
}
}  // namespace

void MainDialog::RestorePlacement() {
    const win::RegistrySettings settings = Settings();
    if (settings.ReadStringValue("WindowPlaced") != "1") return;
    long values[8];
    for (int i = 0; i < 8; ++i) values[i] = static_cast<std::int32_t>(settings.ReadDwordValue(kPlaceNames[i]));
    const POINT offset = WorkspaceOffset();
    const WindowPlace place{{values[0] + offset.x, values[1] + offset.y, values[2] + offset.x, values[3] + offset.y},
                            {values[4], values[5], values[6], values[7]}};
    std::vector<ScreenRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (!CanRestore(place, monitors, initialWidth, initialHeight)) return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(Hwnd(), &placement);
    placement.rcNormalPosition = {values[0], values[1], values[2], values[3]};
    placement.showCmd = settings.ReadDwordValue("WindowMaximized") ? SW_SHOWMAXIMIZED : SW_HIDE;
    SetWindowPlacement(Hwnd(), &placement);
    KeepPlace();
}

void MainDialog::SavePlacement() const {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(Hwnd(), &placement)) return;
    const RECT& normal = placement.rcNormalPosition;
    const POINT offset = WorkspaceOffset();
    const RECT screen{normal.left + offset.x, normal.top + offset.y, normal.right + offset.x, normal.bottom + offset.y};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&screen, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& m = monitor.rcMonitor;
    const long values[8] = {normal.left, normal.top, normal.right, normal.bottom, m.left, m.top, m.right, m.bottom};
    const win::RegistrySettings settings = Settings();
    for (int i = 0; i < 8; ++i) settings.WriteDwordValue(kPlaceNames[i], static_cast<std::uint32_t>(values[i]));
    settings.WriteDwordValue("WindowMaximized", placement.showCmd == SW_SHOWMAXIMIZED ? 1 : 0);
    settings.WriteStringValue("WindowPlaced", "1");
}

void MainDialog::LoadRecentFiles() {
    const win::RegistrySettings settings = Settings();
    std::vector<os::Path> stored;
    for (std::size_t i = 0; i < RecentFiles::kLimit; ++i) stored.emplace_back(settings.ReadWideValue(RecentName(i)));
    recentFiles.Assign(stored);
    ShowRecentFiles();
}

void MainDialog::NoteRecentFile(const os::Path& path) {
    recentFiles.Add(path);
    win::AddToRecentDocuments(path);
    ShowRecentFiles();
}

void MainDialog::ShowRecentFiles() const {
    const win::RegistrySettings settings = Settings();
    const std::vector<os::Path>& paths = recentFiles.Paths();
    for (std::size_t i = 0; i < RecentFiles::kLimit; ++i) {
        if (i < paths.size()) {
            settings.WriteWideValue(RecentName(i), paths[i].native());
        } else {
            settings.DeleteValue(RecentName(i));
        }
    }
    const HMENU menu = RecentMenu(Hwnd());
    if (!menu) return;
    while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
    if (paths.empty()) AppendMenuW(menu, MF_STRING | MF_GRAYED, ID_FILE_RECENT_NONE, L"(なし)");
    for (std::size_t i = 0; i < paths.size(); ++i) {
        // "&1 C:\…": the number is the item's access key; an & of the path is shown as one.
        std::wstring text = L"&" + std::to_wstring(i + 1) + L" ";
        for (wchar_t c : paths[i].native()) text += c == L'&' ? std::wstring(L"&&") : std::wstring(1, c);
        AppendMenuW(menu, MF_STRING, ID_FILE_RECENT_FIRST + static_cast<UINT>(i), text.c_str());
    }
}

void MainDialog::OpenRecentFile(std::size_t index) {
    if (index >= recentFiles.Paths().size()) return;
    const os::Path path = recentFiles.Paths()[index];
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES && GetLastError() != ERROR_ACCESS_DENIED) {
        recentFiles.Remove(path);
        ShowRecentFiles();
        prompts->ShowMessage(Hwnd(), RecentFileGoneText(os::DisplayPath(path)), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!ResolveUnsavedChanges()) return;
    OpenFile(path);
}

void MainDialog::ApplyScale() {
    markImages.Rescale(dpi);
    pointList.SetScale(markImages.Large(), markImages.Small(), dpi);
    importPane.SetScale(markImages.Large(), markImages.Small(), dpi);
    statusBar.SetFixedPanes({ScalePixels(100, dpi), ScalePixels(100, dpi), ScalePixels(70, dpi)});
}

void MainDialog::OnDpiChanged(WPARAM newDpi, LPARAM suggested) {
    // The dialog manager then scales the fonts and the template's controls (Windows 10 1703 on).
    const int before = dpi;
    dpi = LOWORD(newDpi);
    initialWidth = MulDiv(initialWidth, dpi, before);
    initialHeight = MulDiv(initialHeight, dpi, before);
    const RECT* rect = reinterpret_cast<const RECT*>(suggested);
    SetWindowPos(Hwnd(), nullptr, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    Self().Post(kScaleSettled);
}

LRESULT MainDialog::OnScaleSettled(WPARAM, LPARAM) {
    ApplyScale();
    // The bar takes the window's font at its new size and the height that font needs.
    statusBar.Send(WM_SETFONT, Self().Send(WM_GETFONT), FALSE);
    statusBar.Send(WM_SIZE);
    const RECT client = Self().ClientRect();
    Self().Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    return 0;
}

}  // namespace vondrel
