// Map object list in the settings.
#include "editing/map_object_list.h"

#include <cstdio>

namespace vondrel {

const std::array<const char*, 4> DefaultMapObjects = {"ProAtlasW2.Map", "ProAtlasW3.Map", "ProAtlasSV.Map",
                                                      "Mapple.Document"};

std::string MapObjectValueName(int index) {
    char name[32];
    std::snprintf(name, sizeof name, "MapObject%02d", index);
    return name;
}

namespace {
bool IsDefault(const std::string& name) {
    for (const char* known : DefaultMapObjects) {
        if (name == known) return true;
    }
    return false;
}

void DeleteStoredNames(const SettingsStore& store) {
    for (int i = 0; i < kMaxMapObjects; ++i) store.DeleteValue(MapObjectValueName(i));
}
}  // namespace

std::array<std::string, kMaxMapObjects> MergeObjectList(const SettingsStore& store) {
    std::array<std::string, kMaxMapObjects> names;
    int count = 0;
    for (const char* known : DefaultMapObjects) names[static_cast<std::size_t>(count++)] = known;
    std::uint32_t stored = store.ReadDwordValue("o-cnt");
    if (stored > static_cast<std::uint32_t>(kMaxMapObjects)) stored = kMaxMapObjects;
    for (int i = 0; i < static_cast<int>(stored); ++i) {
        const std::string name = store.ReadStringValue(MapObjectValueName(i));
        // Only the defaults are dropped: a name stored twice stays twice.
        if (IsDefault(name)) continue;
        if (count < kMaxMapObjects) names[static_cast<std::size_t>(count++)] = name;
    }
    DeleteStoredNames(store);
    for (int i = 0; i < count; ++i) store.WriteStringValue(MapObjectValueName(i), names[static_cast<std::size_t>(i)]);
    store.WriteDwordValue("o-cnt", static_cast<std::uint32_t>(count));
    return names;
}

void StoreAddedObject(const SettingsStore& store, int count, const std::string& name) {
    store.WriteStringValue(MapObjectValueName(count), name);
    store.WriteDwordValue("o-cnt", static_cast<std::uint32_t>(count + 1));
}

void StoreObjectList(const SettingsStore& store, const std::vector<std::string>& names) {
    DeleteStoredNames(store);
    store.WriteDwordValue("o-cnt", 0);
    int count = 0;
    for (const std::string& name : names) store.WriteStringValue(MapObjectValueName(count++), name);
    store.WriteDwordValue("o-cnt", static_cast<std::uint32_t>(count));
}

int CurrentObjectIndex(const SettingsStore& store, const std::vector<std::string>& names) {
    const std::string current = store.ReadStringValue(kChosenObjectValue);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == current) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace vondrel
