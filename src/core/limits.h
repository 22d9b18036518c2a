// Every limit of the program in one place: how many points the table holds (and so the lists
// show, and every way of adding a point stops at), how long a stored name is, how many marks and
// map objects there are, and the sizes of the fixed text buffers.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vondrel {

// Points.
constexpr int kTableRows = 700;          // rows of the point table; a file's further points are ignored
constexpr std::size_t kNameLimit = 16;   // bytes of a stored name
constexpr std::size_t kMaxTextBytes = 1023;  // bytes of any text read from a file (longer ones are cut)

// Marks and map objects.
constexpr int kMarkCount = 55;           // mark icons mark01.ico ... mark55.ico, numbers 1 to 55
constexpr int kMaxMapObjects = 15;       // names in the map object chooser

// Buffer sizes.
constexpr std::size_t kTypedCoordinateBytes = 32;   // bytes of a typed coordinate that are read
constexpr std::size_t kMapPositionBytes = 255;      // bytes read from the edit dialog's map position
constexpr std::size_t kBridgeTextBufferSize = 1024; // a text streamed to or from the map bridge, NUL included
constexpr std::uint64_t kMaxFileBytes = 256u * 1024u * 1024u;  // larger files are not read into memory
constexpr std::uint64_t kMaxIconFileBytes = 1024u * 1024u;      // larger mark icon files are not read

}  // namespace vondrel
