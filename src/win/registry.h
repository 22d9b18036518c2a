// RegistrySettings: the program's settings key with the five value operations. Each operation
// opens (creating when missing) the key for itself and closes it again. The key is used under
// HKEY_LOCAL_MACHINE when that can be opened for writing, else under HKEY_CURRENT_USER, so a
// standard user's settings are kept instead of silently lost. Failures are not reported:
// reads then give "" or 0 and writes have no effect. Names and values are code page 932.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/settings_store.h"
#include "win/owned_handle.h"

namespace vondrel::win {

class RegistrySettings : public SettingsStore {
public:
    // `keyPath` below the root, e.g. "SOFTWARE\\Zarn\\Vondrel"; `roots` are tried in order.
    explicit RegistrySettings(std::string keyPath,
                              std::vector<HKEY> roots = {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER});

    void WriteStringValue(const std::string& name, const std::string& text) const override;
    // The whole value, however long; "" when missing.
    std::string ReadStringValue(const std::string& name) const override;
    void WriteDwordValue(const std::string& name, std::uint32_t value) const override;
    std::uint32_t ReadDwordValue(const std::string& name) const override;
    void DeleteValue(const std::string& name) const override;
    // A text kept in UTF-16 as it is (paths): "" when missing.
    void WriteWideValue(const std::string& name, const std::wstring& text) const;
    std::wstring ReadWideValue(const std::string& name) const;

    // The root the key was opened under by the last operation (none before the first).
    HKEY LastRoot() const { return lastRoot; }

private:
    RegistryKey Open() const;

    std::string path;
    std::vector<HKEY> roots;
    mutable HKEY lastRoot = nullptr;
};

}  // namespace vondrel::win
