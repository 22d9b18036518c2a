// Tarvix2.exe, the map bridge: a top-level window titled "Tarvix" that takes the editor's posted
// commands (protocol/bridge_protocol.h), shows the points it is given on a map of tiles (the
// Geospatial Information Authority of Japan's, by default) with their names, and lets the user
// pan, zoom, choose the map layer and set a mark by clicking. A click posts 0x0800 to the window
// titled "Kestrova"; SUB_GET_MARK_LAT / _LON are answered there with 0x0801 steps carrying the
// mark's wire form (the view's centre while no mark is set). Points and the mark are in the
// Tokyo datum, as on the wire; they are drawn at their WGS 84 place.
//
// Environment:
//   TARVIX_TILE_URL=TEMPLATE   where tiles come from: {z} {x} {y} and optionally {layer} (std,
//                              pale, seamlessphoto) and {ext} (png, jpg) are filled in
//   TARVIX_TILE_CACHE=FOLDER   the tile cache (default %LOCALAPPDATA%\Vondrel\tiles)
//   TARVIX_SETTINGS_KEY=KEY    the registry key for window placement and layer (below HKLM when
//                              writable, else HKCU; default SOFTWARE\Zarn\Vondrel\Tarvix)
// Test options:
//   --log=PATH      (or environment TARVIX_LOG=PATH) appends one ASCII line per event to PATH,
//                   each written and flushed at once:
//                     SUB_SET_LAYER "4"                            a received command and its text
//                     SUB_ADD_TEXT_EX "x,y" rejected               a point text that was not usable
//                     UNKNOWN 0xC0F3 ""                            an unregistered sub-command
//                     MARK " 35/41/05007,139/45/30123" posted      the mark set (0x0800 "posted",
//                                                                  or "no editor" without Kestrova)
//                     REPLY SUB_GET_MARK_LAT " 35/41/05007" posted the answer to a question
//                     WM_CLOSE  /  WM_CLOSE ignored
//                   Texts are in double quotes; bytes outside printable ASCII, " and \ are
//                   written as \xHH (a name "地" is \x92\x6E).
//   --tile-log=PATH (or TARVIX_TILE_LOG=PATH) the same for tiles:
//                     TILE std/16/58210/25803 network              a tile arrived (cache, stale
//                                                                  cache, network) or did not
//                     TILE std/16/58210/25804 failed: timeout      (failed: ..., not found: ...)
//                     VIEW std z16 12 tiles 85 ms (cache 12, network 0)
//                                                                  a view shown whole, timed from
//                                                                  the command or layer change
//   --ignore-close  (or TARVIX_IGNORE_CLOSE=1) ignores WM_CLOSE, to test an editor's bounded wait.
//   TARVIX_LATE_WINDOW=MS  waits for input MS milliseconds before the window opens, as a bridge
//                   started under load may, to test an editor's look-ups of the window.
//   TARVIX_EDIT_LOG=PATH  the same for editing (edit_protocol.h): HELLO posted / no editor,
//                   EDIT <step> <value> [fields] for the editor's steps (marks and highlights
//                   not logged), TO EDITOR EDIT ... for the bridge's.
// Setting the mark without a mouse: post WM_LBUTTONDOWN and WM_LBUTTONUP with the same client
// coordinates (what a click does; between them a move beyond the drag distance pans instead),
// or the registered message "TARVIX_TEST_SET_MARK" with wParam = latitude and lParam =
// longitude in milliseconds of arc. WM_COMMAND 100, 101 and 102 choose the standard, pale and
// photo layer as the menu does.
#include <windows.h>
#include <shellapi.h>

#include "tarvix/bridge_window.h"
#include "tarvix/tile_disk_cache.h"
#include "os/win32_owned.h"
#include "os/win32_text.h"

namespace {

using vondrel::tarvix::BridgeOptions;

std::wstring Environment(const wchar_t* name) {
    wchar_t value[MAX_PATH * 4];
    const DWORD length = GetEnvironmentVariableW(name, value, static_cast<DWORD>(std::size(value)));
    return length > 0 && length < std::size(value) ? std::wstring(value, length) : std::wstring();
}

BridgeOptions ReadOptions() {
    BridgeOptions options;
    options.logPath = Environment(L"TARVIX_LOG");
    options.tileLogPath = Environment(L"TARVIX_TILE_LOG");
    options.editLogPath = Environment(L"TARVIX_EDIT_LOG");
    options.ignoreClose = Environment(L"TARVIX_IGNORE_CLOSE") == L"1";
    const std::wstring url = Environment(L"TARVIX_TILE_URL");
    if (!url.empty()) options.urlTemplate = vondrel::os::ToCp932(url);
    options.cacheRoot = vondrel::tarvix::DefaultCacheRoot();
    options.settingsKey = vondrel::tarvix::BridgeSettingsKey();

    int count = 0;
    const vondrel::os::LocalMemory<wchar_t**> arguments(CommandLineToArgvW(GetCommandLineW(), &count));
    if (!arguments) return options;
    const std::wstring logOption = L"--log=";
    const std::wstring tileLogOption = L"--tile-log=";
    for (int i = 1; i < count; ++i) {
        const std::wstring argument = arguments.Get()[i];
        if (argument.compare(0, logOption.size(), logOption) == 0) options.logPath = argument.substr(logOption.size());
        if (argument.compare(0, tileLogOption.size(), tileLogOption) == 0) {
            options.tileLogPath = argument.substr(tileLogOption.size());
        }
        if (argument == L"--ignore-close") options.ignoreClose = true;
    }
    return options;
}

vondrel::tarvix::BridgeWindow theBridge;

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    if (const int late = _wtoi(Environment(L"TARVIX_LATE_WINDOW").c_str()); late > 0) {
        // Idle (waiting for input) before the window exists.
        const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(late);
        MSG message;
        while (GetTickCount64() < until) {
            PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
    }
    if (!theBridge.Create(instance, show, ReadOptions())) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // A fetch thread still running may hold a lock the orderly exit would wait for.
    if (theBridge.FetchesLeft()) TerminateProcess(GetCurrentProcess(), static_cast<UINT>(message.wParam));
    return static_cast<int>(message.wParam);
}
