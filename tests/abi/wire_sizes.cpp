// Compile-time checks, made by both Windows builds (32- and 64-bit), that the values crossing
// window messages, the registry and files keep their sizes and signs on either target.
#include <windows.h>

#include <cstdint>
#include <limits>
#include <type_traits>

#include "core/limits.h"
#include "core/settings_store.h"
#include "protocol/bridge_protocol.h"

namespace vondrel {

// The map bridge's posts: one Post is exactly one PostMessage's wParam and lParam.
using PostWParam = decltype(bridge::Post::wParam);
using PostLParam = decltype(bridge::Post::lParam);
static_assert(sizeof(PostWParam) == sizeof(WPARAM) && std::is_unsigned_v<PostWParam> && std::is_unsigned_v<WPARAM>,
              "a Post's wParam is the WPARAM of the target");
static_assert(sizeof(PostLParam) == sizeof(LPARAM) && std::is_signed_v<PostLParam> && std::is_signed_v<LPARAM>,
              "a Post's lParam is the LPARAM of the target (a double-byte pair travels sign-extended)");
// The system's number for a registered message name (RegisterWindowMessage's UINT).
static_assert(sizeof(bridge::MessageNumbers{}.value[0]) == sizeof(UINT), "registered message numbers are UINTs");
static_assert(bridge::kMarkReadyMessage >= WM_USER && bridge::kReplyMessage < WM_APP,
              "the bridge's fixed messages are in the window-class range");
// A double-byte pair (lead*256+trail, sign-extended from 16 bits) and a byte keep their value
// when a message crosses between a 32- and a 64-bit process (which keeps the low 32 bits).
static_assert(sizeof(LPARAM) >= sizeof(std::int32_t), "a 16-bit pair fits the 32 bits every LPARAM carries");

// Registry values: 32-bit numbers as REG_DWORD; the bridge stores signed window positions in them.
static_assert(sizeof(DWORD) == sizeof(std::uint32_t), "REG_DWORD values are 32-bit");
static_assert(std::is_same_v<decltype(std::declval<SettingsStore&>().ReadDwordValue("")), std::uint32_t>,
              "settings read 32-bit values");
static_assert(sizeof(int) == sizeof(std::int32_t), "window positions round-trip through a DWORD");

// Files: the largest file read into memory is addressable in the 32-bit program.
static_assert(kMaxFileBytes < std::numeric_limits<std::size_t>::max() / 2, "a file read whole fits in memory");
static_assert(sizeof(wchar_t) == 2, "paths and window texts are UTF-16 code units");

}  // namespace vondrel
