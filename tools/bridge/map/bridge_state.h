// What the map bridge holds and does with each received command, without Win32: layer, map
// object name, points, mark; plus the log line texts the bridge writes for tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "map/map_view.h"
#include "protocol/bridge_protocol.h"
#include "protocol/edit_protocol.h"

namespace vondrel::tarvix {

// A registered message that sets the mark without a mouse (a test hook):
// wParam = latitude, lParam = longitude, both in milliseconds of arc.
inline constexpr const char* kTestSetMarkName = "TARVIX_TEST_SET_MARK";
// WM_COMMAND of the map menu's layer items: this plus the layer's index (standard, pale, photo).
inline constexpr int kLayerCommandFirst = 100;

struct MapPoint {
    GeoPoint at;
    std::string name;  // code page 932
    int mark = 0;      // the mark number to draw it with; 0: the plain dot
    bool selected = false;
};

// What the window has to do after a command.
enum class Effect { kNone, kRedraw, kRefit, kRejected, kReplyLatitude, kReplyLongitude };

class BridgeState {
public:
    // Carries out `command` with the text streamed before it.
    Effect Execute(bridge::Name command, const std::string& text);

    // Carries out an editor's edit step (edit_protocol.h): kRedraw, kNone, or kRejected for an
    // index outside the points or a position out of range.
    Effect ExecuteEdit(const bridge::EditMessage& message);

    // The mark's coordinate in wire form; `fallback` (the view's centre) when no mark is set.
    std::string MarkWire(bridge::Axis axis, GeoPoint fallback) const;

    std::string layer;
    std::string objectName;
    std::vector<MapPoint> points;
    std::optional<GeoPoint> mark;
    // Editing: whether the editor takes edit messages, and the serial of the points shown (0:
    // the points are no set the editor named).
    bool editorReady = false;
    std::uint32_t setSerial = 0;
};

// Bytes for a log line, in double quotes: printable ASCII as is; any other byte, both bytes of a
// double-byte character and the characters " and \ as \xHH (so "地" is \x92\x6E).
std::string Quoted(std::string_view bytes);

// The log line for a received command: its name (or UNKNOWN 0x... for an unregistered number)
// and its quoted text.
std::string CommandLogLine(std::optional<bridge::Name> command, std::uint32_t number, std::string_view text);

// The log line for an edit step: its name and value, and the fields it carries.
std::string EditLogLine(const bridge::EditMessage& message);

// Display form of a position: " 35.41.05.007 / 139.45.30.123" (latitude first).
std::string DisplayPosition(GeoPoint point);

}  // namespace vondrel::tarvix
