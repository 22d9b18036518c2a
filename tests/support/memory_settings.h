// An in-memory SettingsStore for tests: a map of named values, with every write recorded.
#pragma once

#include <map>
#include <string>

#include "core/settings_store.h"

namespace vondrel::test {

class MemorySettings : public SettingsStore {
public:
    void WriteStringValue(const std::string& name, const std::string& text) const override { strings[name] = text; }
    std::string ReadStringValue(const std::string& name) const override {
        auto it = strings.find(name);
        return it == strings.end() ? std::string() : it->second;
    }
    void WriteDwordValue(const std::string& name, std::uint32_t value) const override { dwords[name] = value; }
    std::uint32_t ReadDwordValue(const std::string& name) const override {
        auto it = dwords.find(name);
        return it == dwords.end() ? 0 : it->second;
    }
    void DeleteValue(const std::string& name) const override {
        strings.erase(name);
        dwords.erase(name);
    }

    mutable std::map<std::string, std::string> strings;
    mutable std::map<std::string, std::uint32_t> dwords;
};

}  // namespace vondrel::test
