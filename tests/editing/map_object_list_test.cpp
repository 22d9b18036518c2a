// The map object list in the settings: merging with the defaults, adding, deleting and the
// current choice, against an in-memory store.
#include <gtest/gtest.h>

#include "editing/map_object_list.h"
#include "support/memory_settings.h"

namespace vondrel {
namespace {

std::vector<std::string> Stored(const test::MemorySettings& store) {
    std::vector<std::string> names;
    const std::uint32_t count = store.ReadDwordValue("o-cnt");
    for (std::uint32_t i = 0; i < count; ++i) names.push_back(store.ReadStringValue(MapObjectValueName(static_cast<int>(i))));
    return names;
}

void Store(test::MemorySettings& store, const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < names.size(); ++i) store.strings[MapObjectValueName(static_cast<int>(i))] = names[i];
    store.dwords["o-cnt"] = static_cast<std::uint32_t>(names.size());
}

const std::vector<std::string> kDefaults = {"ProAtlasW2.Map", "ProAtlasW3.Map", "ProAtlasSV.Map", "Mapple.Document"};

TEST(MapObjectList, FirstOpeningStoresTheDefaults) {
    test::MemorySettings store;
    const auto names = MergeObjectList(store);
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 4), kDefaults);
    EXPECT_EQ(names[4], "");
    EXPECT_EQ(Stored(store), kDefaults);
    EXPECT_EQ(store.dwords["o-cnt"], 4u);
}

TEST(MapObjectList, MergeDropsStoredDefaultsKeepsUserNamesAndTheirDuplicates) {
    test::MemorySettings store;
    Store(store, {"Foo.Map", "Mapple.Document", "Bar.Map", "Foo.Map", "ProAtlasW2.Map"});
    store.strings["MapObject09"] = "stale";  // beyond the count: removed by the rewrite
    const auto names = MergeObjectList(store);
    std::vector<std::string> expected = kDefaults;
    expected.insert(expected.end(), {"Foo.Map", "Bar.Map", "Foo.Map"});
    EXPECT_EQ(Stored(store), expected);
    EXPECT_EQ(names[6], "Foo.Map");
    EXPECT_EQ(store.strings.count("MapObject09"), 0u);
}

TEST(MapObjectList, MergeKeepsAtMost15Names) {
    test::MemorySettings store;
    std::vector<std::string> many;
    for (int i = 0; i < 15; ++i) many.push_back("User" + std::to_string(i) + ".Map");
    Store(store, many);
    store.dwords["o-cnt"] = 40;  // a count beyond 15 is read as 15
    const auto names = MergeObjectList(store);
    EXPECT_EQ(store.dwords["o-cnt"], 15u);
    EXPECT_EQ(names[14], "User10.Map");
    EXPECT_EQ(Stored(store).size(), 15u);
}

TEST(MapObjectList, AddDeleteAndCurrentChoice) {
    test::MemorySettings store;
    MergeObjectList(store);
    StoreAddedObject(store, 4, "Foo.Map");
    EXPECT_EQ(store.strings["MapObject04"], "Foo.Map");
    EXPECT_EQ(store.dwords["o-cnt"], 5u);

    // Deleting the second entry rewrites the list; the old last index is gone.
    StoreObjectList(store, {"ProAtlasW2.Map", "ProAtlasSV.Map", "Mapple.Document", "Foo.Map"});
    EXPECT_EQ(store.dwords["o-cnt"], 4u);
    EXPECT_EQ(store.strings["MapObject01"], "ProAtlasSV.Map");
    EXPECT_EQ(store.strings.count("MapObject04"), 0u);

    const std::vector<std::string> shown = {"A", "B", "B"};
    EXPECT_EQ(CurrentObjectIndex(store, shown), -1);
    store.strings["MapObject"] = "B";
    EXPECT_EQ(CurrentObjectIndex(store, shown), 1);
    store.strings["MapObject"] = "Other";
    EXPECT_EQ(CurrentObjectIndex(store, shown), -1);
}

}  // namespace
}  // namespace vondrel
