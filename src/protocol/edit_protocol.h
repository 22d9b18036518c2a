// Editing on the map: exchanges added beside the bridge protocol (bridge_protocol.h), without
// Win32. They use registered names of their own, so a bridge or an editor that does not know them
// never sees a number it could mistake; the messages of the base protocol are unchanged.
//
//   kEditHelloName    bridge -> editor, posted to "Kestrova" once the bridge's window exists:
//                     wParam = kEditVersion, lParam = the bridge's process id. An editor that
//                     knows it (and started that process) answers with a kReady step.
//   kEditToMapName    editor -> bridge, posted to the bridge's window; one step per post:
//                     wParam = an EditStep, lParam = its value (32 bits). Fields (kSerial,
//                     kLat, kLon, kMark) are collected until a command step uses them and
//                     clears them; a command's value is the point's index in its set unless
//                     told otherwise.
//   kEditFromMapName  bridge -> editor, the same steps the other way.
//
// Editor to bridge, sent only after a hello from the bridge it started:
//   kReady(version)        the editor takes the bridge's edit messages: the bridge may let
//                          points be clicked and dragged and offer "ここに地点を追加".
//   kSetBegins(serial)     sent right after SUB_DELETE_TEXT: the points that follow as
//                          SUB_ADD_TEXT_EX form set `serial`, numbered from 0 in sending order.
//   kShowMark(index)       with kMark: the point's mark number (0: none) to draw it with.
//   kSelectNone(0)         no point is highlighted; kSelect(index) highlights one more.
//   kPlace(index)          with kLat, kLon: the point's position as the editor now stores it.
// Bridge to editor:
//   kMoved(index)          with kSerial, kLat, kLon: the user dragged the point there.
//   kClicked(index)        with kSerial: the user clicked the point.
//   kAddHere(0)            with kLat, kLon: the user asked for a new point there.
// Positions are milliseconds of arc in the Tokyo datum, as on the base protocol's wire.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "protocol/bridge_protocol.h"

namespace vondrel::bridge {

inline constexpr const char* kEditHelloName = "TARVIX_EDIT_HELLO";
inline constexpr const char* kEditToMapName = "TARVIX_EDIT_TO_MAP";
inline constexpr const char* kEditFromMapName = "TARVIX_EDIT_FROM_MAP";
inline constexpr std::uint32_t kEditVersion = 1;

enum class EditStep : std::uint32_t {
    // Fields.
    kSerial = 1,
    kLat = 3,
    kLon = 4,
    kMark = 5,
    // Editor to bridge.
    kReady = 16,
    kSetBegins = 17,
    kShowMark = 18,
    kSelectNone = 19,
    kSelect = 20,
    kPlace = 21,
    // Bridge to editor.
    kMoved = 32,
    kClicked = 33,
    kAddHere = 34,
};

// A command step with the fields collected before it (those not sent stay empty).
struct EditMessage {
    EditStep step = EditStep::kReady;
    std::int64_t value = 0;
    std::optional<std::uint32_t> serial;
    std::optional<std::int32_t> lat;
    std::optional<std::int32_t> lon;
    std::optional<std::int32_t> mark;
    bool operator==(const EditMessage& o) const {
        return step == o.step && value == o.value && serial == o.serial && lat == o.lat && lon == o.lon && mark == o.mark;
    }
};

// The posts of `message` (its fields first, then its step).
std::vector<Post> EncodeEdit(const EditMessage& message);

// Collects steps; returns a command step with its fields. Unknown steps are dropped and, like a
// command, clear the fields, so a garbled run never lends its fields to the next command.
class EditAssembler {
public:
    std::optional<EditMessage> Step(std::uintptr_t wParam, std::intptr_t lParam);

private:
    EditMessage fields;
};

// The largest coordinates the wire carries: 90 degrees north, 180 east.
inline constexpr std::int32_t kMaxLatitudeMs = 90 * 3600000;
inline constexpr std::int32_t kMaxLongitudeMs = 180 * 3600000;

// A position change the editor takes: which point of the set and where.
struct AcceptedMove {
    int index = 0;
    std::int32_t lat = 0;
    std::int32_t lon = 0;
};

// The editor's record of the points it has sent: set serials, the set's size, and the checks
// on what comes back. Posted messages carry no sender, so this guards against stray and garbled
// ones: a move counts only for a point of the current set, with both coordinates in range.
class SentSet {
public:
    // A new set of `count` points: returns its serial (never 0, never the one before).
    std::uint32_t Begin(int count);
    // No set: everything that comes back is dropped (the bridge ended or was restarted).
    void Clear() { count = 0; current = 0; }
    std::uint32_t Serial() const { return current; }
    int Count() const { return count; }
    // The point a click or move names, when it belongs to the current set.
    std::optional<int> Member(const EditMessage& message) const;
    // A kMoved message that passes every check.
    std::optional<AcceptedMove> TakeMove(const EditMessage& message) const;

private:
    std::uint32_t current = 0;
    std::uint32_t last = 0;
    int count = 0;
};

// A position of kAddHere (or any with both coordinates) in range.
bool InRange(const std::optional<std::int32_t>& lat, const std::optional<std::int32_t>& lon);

}  // namespace vondrel::bridge
