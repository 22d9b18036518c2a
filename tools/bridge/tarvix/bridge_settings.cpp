// The bridge's settings in the registry.
#include "tarvix/bridge_settings.h"

#include "win/registry.h"
#include "os/win32_text.h"

namespace vondrel::tarvix {

std::string BridgeSettingsKey() {
    wchar_t value[256];
    const DWORD length = GetEnvironmentVariableW(L"TARVIX_SETTINGS_KEY", value, static_cast<DWORD>(std::size(value)));
    if (length > 0 && length < std::size(value)) return os::ToCp932(value);
    return "SOFTWARE\\Zarn\\Vondrel\\Tarvix";
}

BridgeSettings LoadBridgeSettings(const std::string& key) {
    const win::RegistrySettings registry(key);
    BridgeSettings settings;
    // Stored as DWORDs; positions left of or above the main screen are negative.
    const auto read = [&](const char* name) { return static_cast<int>(static_cast<std::int32_t>(registry.ReadDwordValue(name))); };
    settings.window = {read("WindowLeft"), read("WindowTop"), read("WindowRight"), read("WindowBottom")};
    settings.maximized = registry.ReadDwordValue("WindowMaximized") != 0;
    settings.layer = LayerFromId(registry.ReadStringValue("MapLayer")).value_or(Layer::kStandard);
    return settings;
}

void SaveBridgeSettings(const std::string& key, const BridgeSettings& settings) {
    const win::RegistrySettings registry(key);
    const auto write = [&](const char* name, int value) {
        registry.WriteDwordValue(name, static_cast<std::uint32_t>(value));
    };
    write("WindowLeft", settings.window.left);
    write("WindowTop", settings.window.top);
    write("WindowRight", settings.window.right);
    write("WindowBottom", settings.window.bottom);
    write("WindowMaximized", settings.maximized ? 1 : 0);
    registry.WriteStringValue("MapLayer", Info(settings.layer).id);
}

}  // namespace vondrel::tarvix
