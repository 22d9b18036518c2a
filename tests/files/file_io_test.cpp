// Saving and loading glorie files through the real file layer: cause numbers from real failures, and a
// failed save that leaves the earlier file intact.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/point_table.h"
#include "files/glorie_file.h"
#include "files/glorie_writer.h"
#include "os/file_io.h"
#include "support/recording_sink.h"
#include "support/temp_dir.h"

#ifdef _WIN32
#include <windows.h>

#include "os/win32_text.h"
#else
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#endif

namespace vondrel {
namespace {

class FileIo : public ::testing::Test {
protected:
    void SetUp() override {
        table.InsertBlank(0);
        table.SetName("東京", 0);
        table.SetLon("139.30", 0);
        table.SetLat("35.30", 0);
    }
    std::string Message(int cause, const std::string& path) const {
        return "\"" + path + "\"\n\n" + std::string(cause == 3 ? "不正パス" : cause == 5 ? "ファイル アクセス禁止"
                                                              : cause == 11 ? "SHARE.EXE 未ロードまたは共有領域ロック済み"
                                                                            : "?");
    }
    int Save(const std::string& path) { return SaveGlorieFile(path, table, sink); }
    int Load(PointTable& into, const std::string& path) { return LoadGlorieFile(path, into, sink); }
    test::TempDir dir;
    test::RecordingSink sink;
    PointTable table;
};

TEST_F(FileIo, SaveWritesTheWholeFileAndReplacesAnOldOne) {
    const std::string path = dir.Path("out.xml");
    test::WriteFileBytes(path, std::string(100000, 'x'));
    EXPECT_EQ(Save(path), 0);
    EXPECT_EQ(test::ReadFileBytes(path), GlorieBytes(table));
    EXPECT_TRUE(sink.messages.empty());
    // No temporary file is left beside the target.
    int files = 0;
    for (auto& entry : std::filesystem::directory_iterator(std::filesystem::path(dir.Root()))) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(FileIo, MissingFolderIsABadPath) {
    const std::string path = dir.Path("no-such-folder") + (dir.Root().find('\\') != std::string::npos ? "\\a.xml" : "/a.xml");
    EXPECT_EQ(Save(path), -1);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], Message(3, path));
    sink.messages.clear();
    EXPECT_EQ(Load(table, path), -1);
    EXPECT_EQ(sink.messages.at(0), Message(3, path));
}

TEST_F(FileIo, AFolderInPlaceOfTheFileIsRefused) {
    const std::string path = dir.Path("folder.xml");
    std::filesystem::create_directory(std::filesystem::path(path));
    EXPECT_EQ(Save(path), -1);
    EXPECT_EQ(sink.messages.at(0), Message(5, path));
    sink.messages.clear();
    EXPECT_EQ(Load(table, path), -1);
    EXPECT_EQ(sink.messages.at(0), Message(5, path));
}

TEST_F(FileIo, ReadOnlyFileIsAccessDeniedAndKept) {
    const std::string path = dir.Path("ro.xml");
    test::WriteFileBytes(path, "old");
    test::SetReadOnly(path, true);
    EXPECT_EQ(Save(path), -1);
    EXPECT_EQ(sink.messages.at(0), Message(5, path));
    test::SetReadOnly(path, false);
    EXPECT_EQ(test::ReadFileBytes(path), "old");
}

#ifdef _WIN32
TEST_F(FileIo, FileLockedByAnotherHandleIsASharingViolation) {
    const std::string path = dir.Path("locked.xml");
    test::WriteFileBytes(path, "old");
    HANDLE other = CreateFileW(os::ToWide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Save(path), -1);
    EXPECT_EQ(Load(table, path), -1);
    CloseHandle(other);
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[0], Message(11, path));
    EXPECT_EQ(sink.messages[1], Message(11, path));
    EXPECT_EQ(test::ReadFileBytes(path), "old");
}

TEST_F(FileIo, LongPathsAreUsedWhole) {
    const std::string folder = dir.LongFolder();
    const std::string path = folder + "\\points.xml";
    ASSERT_GT(path.size(), 300u);
    EXPECT_EQ(Save(path), 0);
    PointTable back;
    EXPECT_EQ(Load(back, path), 0);
    EXPECT_EQ(back.GetCount(), 1);
}

TEST_F(FileIo, JapaneseFileNames) {
    const std::string path = dir.Path("地点ファイル表.xml");  // 表 ends in 0x5C
    EXPECT_EQ(Save(path), 0);
    PointTable back;
    EXPECT_EQ(Load(back, path), 0);
    EXPECT_EQ(back.Row(0).name, "東京");
    EXPECT_TRUE(os::FileExists(path));
}
#endif

#ifndef _WIN32
TEST_F(FileIo, WriteFailureAfterOpeningKeepsTheOldFileAndReportsTheCause) {
    // A file-size limit makes the write fail part way, as a full disk does.
    const std::string path = dir.Path("full.xml");
    test::WriteFileBytes(path, "old");
    for (int i = 1; i < 50; ++i) table.InsertBlank(i);
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit limited = saved;
    limited.rlim_cur = 2000;
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limited);
    const int result = Save(path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(result, -1);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], "\"" + path + "\"\n\nディスク フル");
    EXPECT_EQ(test::ReadFileBytes(path), "old");
}
#endif

TEST_F(FileIo, FileExists) {
    test::WriteFileBytes(dir.Path("f.xml"), "x");
    EXPECT_TRUE(os::FileExists(dir.Path("f.xml")));
    EXPECT_FALSE(os::FileExists(dir.Path("g.xml")));
    EXPECT_FALSE(os::FileExists(dir.Root()));
}

}  // namespace
}  // namespace vondrel
