// Saving and loading glorie files through the real file layer: cause numbers from real failures, and a
// failed save that leaves the earlier file intact.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/point_table.h"
#include "files/file_errors.h"
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
        PointFields fields = table.Fields(0);
        fields.name = "東京";
        fields.lon = "139.30";
        fields.lat = "35.30";
        table.SetFields(0, fields);
    }
    std::string Message(int cause, const os::Path& path) const {
        return "\"" + os::DisplayPath(path) + "\"\n\n" + FileErrorCauseText(static_cast<os::FileCause>(cause));
    }
    int Save(const os::Path& path) { return SaveGlorieFile(path, table, sink) == FileOutcome::Done ? 0 : -1; }
    int Load(PointTable& into, const os::Path& path) { return LoadGlorieFile(path, into, sink) == FileOutcome::Done ? 0 : -1; }
    test::TempDir dir;
    test::RecordingSink sink;
    PointTable table;
};

TEST_F(FileIo, SaveWritesTheWholeFileAndReplacesAnOldOne) {
    const os::Path path = dir.File("out.xml");
    test::WriteFileBytes(path, std::string(100000, 'x'));
    EXPECT_EQ(Save(path), 0);
    EXPECT_EQ(test::ReadFileBytes(path), GlorieBytes(table));
    EXPECT_TRUE(sink.messages.empty());
    // No temporary file is left beside the target.
    int files = 0;
    for (auto& entry : std::filesystem::directory_iterator(dir.RootPath())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(FileIo, MissingFolderIsABadPath) {
    const os::Path path = dir.File("no-such-folder") / "a.xml";
    EXPECT_EQ(Save(path), -1);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], Message(3, path));
    sink.messages.clear();
    EXPECT_EQ(Load(table, path), -1);
    EXPECT_EQ(sink.messages.at(0), Message(3, path));
}

TEST_F(FileIo, AFolderInPlaceOfTheFileIsRefused) {
    const os::Path path = dir.File("folder.xml");
    std::filesystem::create_directory(path);
    EXPECT_EQ(Save(path), -1);
    EXPECT_EQ(sink.messages.at(0), Message(5, path));
    sink.messages.clear();
    EXPECT_EQ(Load(table, path), -1);
    EXPECT_EQ(sink.messages.at(0), Message(5, path));
}

TEST_F(FileIo, ReadOnlyFileIsAccessDeniedAndKept) {
    const os::Path path = dir.File("ro.xml");
    test::WriteFileBytes(path, "old");
    test::SetReadOnly(path, true);
    EXPECT_EQ(Save(path), -1);
    EXPECT_EQ(sink.messages.at(0), Message(5, path));
    test::SetReadOnly(path, false);
    EXPECT_EQ(test::ReadFileBytes(path), "old");
}

#ifdef _WIN32
TEST_F(FileIo, FileLockedByAnotherHandleIsASharingViolation) {
    const os::Path path = dir.File("locked.xml");
    test::WriteFileBytes(path, "old");
    HANDLE other = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
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
    const os::Path path = dir.LongFolderPath() / L"points.xml";
    ASSERT_GT(path.native().size(), 300u);
    EXPECT_EQ(Save(path), 0);
    PointTable back;
    EXPECT_EQ(Load(back, path), 0);
    EXPECT_EQ(back.GetCount(), 1);
}

TEST_F(FileIo, NamesWithAndWithoutACodePage932FormOpenAndSave) {
    // 表 ends in 0x5C; Korean and an emoji have no code page 932 form; ¥ and ‾ must not turn
    // into a backslash or a tilde (the best-fit forms) and reach another file.
    const std::wstring names[] = {L"地点ファイル表.xml", L"\uC9C0\uB3C4.xml", L"\U0001F5FA.xml", L"a\u00A5..\u00A5b.xml",
                                  L"c\u203E.xml"};
    for (const std::wstring& name : names) {
        const os::Path path = dir.RootPath() / name;
        EXPECT_EQ(Save(path), 0) << os::DisplayPath(path);
        PointTable back;
        EXPECT_EQ(Load(back, path), 0) << os::DisplayPath(path);
        EXPECT_EQ(back.Row(0).name, "東京");
        EXPECT_TRUE(os::FileExists(path));
    }
    EXPECT_FALSE(os::FileExists(dir.File("b.xml"))) << "no yen sign became a folder separator";
    EXPECT_FALSE(os::FileExists(dir.File("c~.xml")));
    EXPECT_TRUE(sink.messages.empty());
}
#endif

#ifndef _WIN32
TEST_F(FileIo, WriteFailureAfterOpeningKeepsTheOldFileAndReportsTheCause) {
    // A file-size limit makes the write fail part way, as a full disk does.
    const os::Path path = dir.File("full.xml");
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
    EXPECT_EQ(sink.messages[0], Message(os::kCauseDiskFull, path));
    EXPECT_EQ(test::ReadFileBytes(path), "old");
}
#endif

TEST_F(FileIo, FileExists) {
    test::WriteFileBytes(dir.File("f.xml"), "x");
    EXPECT_TRUE(os::FileExists(dir.File("f.xml")));
    EXPECT_FALSE(os::FileExists(dir.File("g.xml")));
    EXPECT_FALSE(os::FileExists(dir.RootPath()));
}

}  // namespace
}  // namespace vondrel
