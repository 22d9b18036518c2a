// The "オブジェクト" dialog (template 161) that keeps the list of map object names in the
// settings, lets the user add and delete names, and records the chosen one.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "core/settings_store.h"

namespace vondrel {

// Shows the list kept in `store` (the program's settings), which the user's additions and
// deletions change at once. After OK: the name chosen, also stored as the chosen object ("" when
// none was selected, the stored choice then kept); nothing when cancelled.
std::optional<std::string> ChooseMapObject(HWND owner, const SettingsStore& store);

}  // namespace vondrel
