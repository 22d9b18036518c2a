// What the bridge remembers between runs, under the program's registry key: the window's
// normal position and size, whether it was maximised, and the map layer.
#pragma once

#include <windows.h>

#include <string>

#include "map/map_layout.h"
#include "map/tile_source.h"

namespace vondrel::tarvix {

struct BridgeSettings {
    PixelRect window;  // empty when nothing is stored
    bool maximized = false;
    Layer layer = Layer::kStandard;
};

// The key below HKLM (when writable) or HKCU: TARVIX_SETTINGS_KEY when set (for tests), else
// the program's key with a subkey of the bridge's own.
std::string BridgeSettingsKey();

BridgeSettings LoadBridgeSettings(const std::string& key);
void SaveBridgeSettings(const std::string& key, const BridgeSettings& settings);

}  // namespace vondrel::tarvix
