// The list of map object names kept in the settings: merged with the four defaults whenever the
// chooser opens, extended, shortened and chosen from. Portable; works on any SettingsStore.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/limits.h"
#include "core/settings_store.h"

namespace vondrel {

// The setting that holds the chosen name (the map object the bridge opens).
constexpr char kChosenObjectValue[] = "MapObject";

// The defaults that every opening puts first.
extern const std::array<const char*, 4> DefaultMapObjects;

// "MapObject%02d" of `index`.
std::string MapObjectValueName(int index);

// The four defaults followed by the stored names that are not defaults (in stored order, at most
// 15 in all); the stored list is rewritten to exactly that. Empty slots stay "".
std::array<std::string, kMaxMapObjects> MergeObjectList(const SettingsStore& store);

// Stores `name` as entry `count` (the new last one) and the new count.
void StoreAddedObject(const SettingsStore& store, int count, const std::string& name);

// Rewrites the whole stored list as `names` (after an entry was removed).
void StoreObjectList(const SettingsStore& store, const std::vector<std::string>& names);

// The index of the first of `names` equal to the current choice ("MapObject"), or -1.
int CurrentObjectIndex(const SettingsStore& store, const std::vector<std::string>& names);

}  // namespace vondrel
