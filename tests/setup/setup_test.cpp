// The setup helper's portable part: the tile cache's removal over a tree with links and a loop
// (POSIX links; under Wine the same runs through the Win32 body without them), and the record of
// installed files behind the install's and the uninstall's decisions.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "map/tile_source.h"
#include "setup/install_record.h"
#include "setup/tile_cache_removal.h"
#include "support/temp_dir.h"

namespace vondrel::setup {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::WriteFileBytes;

void Write(const os::Path& path, const std::string& bytes = "x") {
    fs::create_directories(path.parent_path());
    WriteFileBytes(path, bytes);
}

TEST(TileCacheRemoval, OnlyTheMapsFilesAndFoldersNeverThroughALink) {
    test::TempDir dir;
    const os::Path app = dir.File("Vondrel"), tiles = app / "tiles", victim = dir.File("victim");
    const tarvix::TileKey written[] = {
        {tarvix::Layer::kStandard, 5, 28, 12}, {tarvix::Layer::kPhoto, 16, 58210, 25803}, {tarvix::Layer::kPhoto, 16, 1, 0}};
    for (const auto& key : written) Write(tiles / tarvix::CacheRelativePath(key, '/'));
    Write(tiles / "std/5/28/13.png.tmp4242");
    const char* others[] = {"std/5/28/notes.txt", "std/5/28/13.jpg", "std/5/28/1.png.tmp",
                            "seamlessphoto/16/1/2.png", "maps/1/2/3.png", "README"};
    for (const char* other : others) Write(tiles / other);
    Write(victim / "1.png", "kept");
    std::vector<os::Path> links;
#ifndef _WIN32
    // Links with the map's names, a loop, and the cache folder itself as a link.
    fs::create_directory_symlink(victim, tiles / "pale");
    fs::create_directory_symlink(victim, tiles / "std/6");
    fs::create_directory_symlink("..", tiles / "std/5/29");
    fs::create_symlink(victim / "1.png", tiles / "std/5/28/14.png");
    links = {tiles / "pale", tiles / "std/6", tiles / "std/5/29", tiles / "std/5/28/14.png"};
    fs::create_directories(dir.File("other"));
    fs::create_directory_symlink(victim, dir.File("other") / "tiles");
    EXPECT_EQ(RemoveTileCache(dir.File("other")).files, 0);
#endif

    const CacheRemoval removal = RemoveTileCache(app);
    EXPECT_EQ(removal.files, 4);
    EXPECT_EQ(removal.folders, 1);  // seamlessphoto/16/58210, emptied
    EXPECT_EQ(removal.left, static_cast<int>(std::size(others) + links.size()));
    for (const auto& key : written) EXPECT_FALSE(fs::exists(tiles / tarvix::CacheRelativePath(key, '/')));
    for (const char* other : others) EXPECT_TRUE(fs::exists(tiles / other)) << other;
    for (const os::Path& link : links) EXPECT_TRUE(fs::is_symlink(link)) << link;
    EXPECT_EQ(ReadFileBytes(victim / "1.png"), "kept");

    for (const char* other : others) fs::remove(tiles / other);
    for (const os::Path& link : links) fs::remove(link);
    fs::remove_all(tiles / "maps");
    RemoveTileCache(app);
    EXPECT_FALSE(fs::exists(app));
}

TEST(InstallRecord, OursIsRecordedAndUnchanged) {
    test::TempDir dir;
    const os::Path folder = dir.RootPath();
    for (const char* name : {"Vondrel.exe", "README.txt", "uninstall.exe", "uninstall.dat", "old.ico"}) {
        Write(folder / name, name);
    }
    ASSERT_TRUE(RecordInstalled(folder, {"old.ico"}));
    ASSERT_TRUE(RecordInstalled(folder, {"Vondrel.exe", "README.txt", "uninstall.exe", "uninstall.dat"}));
    EXPECT_EQ(ReadRecord(folder).size(), 5u);  // the earlier install's file stays recorded
    EXPECT_EQ(ParseRecord(FormatRecord(ReadRecord(folder))), ReadRecord(folder));
    EXPECT_TRUE(HoldsOurUninstaller(folder));
    EXPECT_TRUE(ParseRecord("0000000g 1 a\n00000000 -1 a\n00000000 1 ..\n00000000 1 a\\b\n0000000 1 a\n").empty());

    Write(folder / "README.txt", "the user's own");
    Write(folder / "user.xml");
    EXPECT_EQ(ForeignFiles(folder, {"Vondrel.exe", "README.txt", "user.xml", "absent.ico", "../x"}),
              (std::vector<std::string>{"README.txt", "user.xml", "../x"}));
    EXPECT_TRUE(ForeignFiles(dir.File("none"), {"Vondrel.exe"}).empty());

    const Removal removal = RemoveInstalled(folder);
    EXPECT_EQ(removal.kept, std::vector<std::string>{"README.txt"});
    EXPECT_TRUE(removal.failed.empty());
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder)) left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"README.txt", "user.xml"}));
    EXPECT_FALSE(HoldsOurUninstaller(folder));
    EXPECT_EQ(RemoveInstalled(folder).failed, std::vector<std::string>{kRecordName});  // no record: nothing removed
}

}  // namespace
}  // namespace vondrel::setup
