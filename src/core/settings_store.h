// SettingsStore: the program's five settings operations on single named values (the registry in
// the program, a map in tests). Names and texts are code page 932; failures are never reported.
#pragma once

#include <cstdint>
#include <string>

namespace vondrel {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual void WriteStringValue(const std::string& name, const std::string& text) const = 0;
    // "" when the value is missing.
    virtual std::string ReadStringValue(const std::string& name) const = 0;
    virtual void WriteDwordValue(const std::string& name, std::uint32_t value) const = 0;
    // 0 when the value is missing.
    virtual std::uint32_t ReadDwordValue(const std::string& name) const = 0;
    virtual void DeleteValue(const std::string& name) const = 0;
};

}  // namespace vondrel
