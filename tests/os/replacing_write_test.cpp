// Saving never loses a file: no write in place when no temporary file can be made, only regular
// files read or replaced (FIFOs and devices of the test's own), the target's mode, owner and
// attributes kept, left temporary files removed, and a killed save leaving the old or the new
// file whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/point_table.h"
#include "files/file_errors.h"
#include "files/glorie_file.h"
#include "files/glorie_writer.h"
#include "os/file_io.h"
#include "os/temp_file_name.h"
#include "support/recording_sink.h"
#include "support/temp_dir.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace vondrel {
namespace {

namespace fs = std::filesystem;

class ReplacingWrite : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 3; ++i) {
            PointRecord point;
            point.name = "P" + std::to_string(i);
            table.Append(point);
        }
    }
    std::string Message(os::FileCause cause, const os::Path& path) const {
        return "\"" + os::DisplayPath(path) + "\"\n\n" + FileErrorCauseText(cause);
    }
    // The names in the test's folder other than `except`.
    std::vector<os::PathString> OtherFiles(const os::PathString& except) const {
        std::vector<os::PathString> names;
        for (const auto& entry : fs::directory_iterator(dir.RootPath())) {
            if (entry.path().filename().native() != except) names.push_back(entry.path().filename().native());
        }
        return names;
    }
    test::TempDir dir;
    test::RecordingSink sink;
    PointTable table;
};

TEST_F(ReplacingWrite, LeftTemporaryFilesOfTheTargetAreRemoved) {
    const os::Path target = dir.File("out.xml");
    test::WriteFileBytes(target, "old");
    const os::PathString name = os::FileNameOf(target);
    // Left by processes that ended; one of another target; one of a save still running here.
    const os::Path stale1 = dir.RootPath() / os::TempFileName(name, 999999, "aaaaaa");
    const os::Path stale2 = dir.RootPath() / os::TempFileName(name, 1, "bbbbbb");
    const os::Path otherTarget = dir.RootPath() / os::TempFileName(os::AsciiPathText("other.xml"), 999999, "cccccc");
    for (const os::Path& path : {stale1, stale2, otherTarget}) test::WriteFileBytes(path, "partial");
#ifdef _WIN32
    const os::Path running = dir.RootPath() / os::TempFileName(name, GetCurrentProcessId(), "dddddd");
    test::WriteFileBytes(running, "partial");
#else
    const os::Path running = dir.RootPath() / os::TempFileName(name, 999999, "dddddd");
    test::WriteFileBytes(running, "partial");
    const int held = ::open(running.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);  // as a save in progress holds its file
#endif
    ASSERT_EQ(SaveGlorieFile(target, table, sink), FileOutcome::Done);
    EXPECT_FALSE(fs::exists(stale1));
    EXPECT_FALSE(fs::exists(stale2));
    EXPECT_TRUE(fs::exists(otherTarget)) << "another file's temporary file is not touched";
    EXPECT_TRUE(fs::exists(running)) << "a save in progress keeps its file";
#ifndef _WIN32
    ::close(held);
#endif
    EXPECT_EQ(test::ReadFileBytes(target), GlorieBytes(table));
    EXPECT_EQ(OtherFiles(name).size(), 2u) << "this save left nothing behind";
}

#ifdef _WIN32
TEST_F(ReplacingWrite, DevicesAreNeverReadOrReplaced) {
    for (const wchar_t* device : {L"NUL", L"con", L"\\\\.\\NUL", L"COM1.xml", L"lpt2 .txt"}) {
        os::FileBytes bytes;
        EXPECT_EQ(os::ReadWholeFile(device, bytes), os::kCauseNotRegularFile) << os::DisplayPath(device);
        EXPECT_EQ(os::WriteWholeFile(device, "x").cause, os::kCauseNotRegularFile) << os::DisplayPath(device);
    }
}

TEST_F(ReplacingWrite, TheTargetsAttributesAreKept) {
    const os::Path target = dir.File("hidden.xml");
    test::WriteFileBytes(target, "old");
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_EQ(SaveGlorieFile(target, table, sink), FileOutcome::Done);
    EXPECT_TRUE(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(test::ReadFileBytes(target), GlorieBytes(table));
}
#else
// Runs `body` in a child process (as an unprivileged user when `unprivileged` and this process
// runs as the superuser) and returns its exit status; the child ends with `body`'s result.
int InChild(const std::function<int()>& body, bool unprivileged = false) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (unprivileged && ::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(100);
        }
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST_F(ReplacingWrite, NoTemporaryFileMeansNoSaveAndTheOldFileKept) {
    // A folder where the user may not make files, holding a file the user may write: the save
    // is refused for the folder (it used to write into the file in place).
    const os::Path folder = dir.File("locked");
    fs::create_directory(folder);
    const os::Path target = folder / "t.xml";
    test::WriteFileBytes(target, "old");
    ::chmod(target.c_str(), 0666);
    ::chmod(dir.RootPath().c_str(), 0755);
    ::chmod(folder.c_str(), 0555);
    const int status = InChild([&] {
        test::RecordingSink messages;
        const bool refused = SaveGlorieFile(target, table, messages) == FileOutcome::Failed && messages.messages.size() == 1 &&
                             messages.messages[0] == Message(os::kCauseAccessDenied, os::FolderOf(target));
        return refused ? 0 : 1;
    }, true);
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(test::ReadFileBytes(target), "old");
    EXPECT_EQ(fs::directory_iterator(folder)->path(), target) << "nothing else in the folder";
}

TEST_F(ReplacingWrite, OnlyRegularFilesAreReadOrReplaced) {
    // A FIFO would block, a device stream: each is refused before anything waits on it (the
    // alarm ends a test that hangs), and stays what it was.
    ::alarm(60);
    const os::Path fifo = dir.File("fifo.xml");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    const os::Path socketPath = dir.File("socket.xml");
    const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
    const bool haveSocket = ::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    const os::Path device = dir.File("null.xml");  // a null device of the test's own, when allowed
    const bool haveDevice = ::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    const os::Path link = dir.File("link.xml");
    fs::create_symlink(fifo, link);
    std::vector<os::Path> specials = {fifo, link};
    if (haveSocket) specials.push_back(socketPath);
    if (haveDevice) specials.push_back(device);
    for (const os::Path& special : specials) {
        const auto type = fs::symlink_status(special).type();
        sink.messages.clear();
        EXPECT_EQ(LoadGlorieFile(special, table, sink), FileOutcome::Failed) << special;
        EXPECT_EQ(SaveGlorieFile(special, table, sink), FileOutcome::Failed) << special;
        ASSERT_EQ(sink.messages.size(), 2u);
        EXPECT_EQ(sink.messages[0], Message(os::kCauseNotRegularFile, special));
        EXPECT_EQ(sink.messages[1], Message(os::kCauseNotRegularFile, special));
        EXPECT_EQ(fs::symlink_status(special).type(), type) << special << " is what it was";
    }
    EXPECT_EQ(table.GetCount(), 3);
    ::close(listening);
    ::alarm(0);
}

TEST_F(ReplacingWrite, TheTargetsModeOwnerAndLinkAreKept) {
    const os::Path target = dir.File("shared.xml");
    test::WriteFileBytes(target, "old");
    ::chmod(target.c_str(), 0640);
    const bool root = ::geteuid() == 0;
    if (root) ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
    const os::Path link = dir.File("link.xml");
    fs::create_symlink(target, link);
    ASSERT_EQ(SaveGlorieFile(link, table, sink), FileOutcome::Done);
    struct stat st;
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) EXPECT_EQ(st.st_uid, 65534u);
    if (root) EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_TRUE(fs::is_symlink(link)) << "the link stays a link; the file it names is replaced";
    EXPECT_EQ(test::ReadFileBytes(target), GlorieBytes(table));
}

TEST_F(ReplacingWrite, AKilledSaveLeavesTheOldOrTheNewFile) {
    // Saves of two different tables in a loop, killed at random moments: the file is always one
    // of the two whole, and the next save removes what the killed one left.
    PointTable big;
    for (int i = 0; i < 700; ++i) {
        PointRecord point;
        point.name = ShortenName("長い名前の地点" + std::to_string(i));
        point.reading = std::string(300, 'r');
        big.Append(point);
    }
    const os::Path target = dir.File("killed.xml");
    const std::string small = GlorieBytes(table);
    const std::string large = GlorieBytes(big);
    test::WriteFileBytes(target, small);
    unsigned seed = 12345;
    for (int round = 0; round < 25; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            test::RecordingSink quiet;
            for (int i = 0;; ++i) SaveGlorieFile(target, i % 2 ? table : big, quiet);
        }
        seed = seed * 1103515245 + 12345;
        ::usleep(2000 + (seed >> 16) % 20000);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string now = test::ReadFileBytes(target);
        ASSERT_TRUE(now == small || now == large) << "round " << round << ": " << now.size() << " bytes";
    }
    ASSERT_EQ(SaveGlorieFile(target, table, sink), FileOutcome::Done);
    EXPECT_TRUE(OtherFiles(os::FileNameOf(target)).empty()) << "no temporary file is left";
}

TEST_F(ReplacingWrite, RunningOutOfMemoryIsAMessage) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "an address-space limit does not work with the sanitizer's shadow memory";
#else
    // Under an address-space limit, a file too big for the memory left is refused with a message
    // and the table kept; so is a save whose bytes do not fit.
    const os::Path path = dir.File("big.xml");
    test::WriteFileBytes(path, "<gpoi><lat>" + std::string(48 << 20, '&') + "</lat></gpoi>");
    PointTable huge;
    PointRecord point;
    point.reading = std::string(48 << 20, '&');
    huge.Append(point);
    const int status = InChild([&] {
        long pages = 0;
        if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
            std::fclose(statm);
        }
        const rlim_t limit = static_cast<rlim_t>(pages) * ::sysconf(_SC_PAGESIZE) + (64u << 20);
        const struct rlimit address{limit, limit};
        if (pages == 0 || ::setrlimit(RLIMIT_AS, &address) != 0) return 2;
        test::RecordingSink messages;
        const bool loadRefused = LoadGlorieFile(path, table, messages) == FileOutcome::Failed && table.GetCount() == 3;
        const bool saveRefused = SaveGlorieFile(dir.File("out.xml"), huge, messages) == FileOutcome::Failed;
        const bool told = messages.messages.size() == 2 && messages.messages[0] == Message(os::kCauseOutOfMemory, path);
        return loadRefused && saveRefused && told ? 0 : 1;
    });
    EXPECT_EQ(status, 0) << "1: not refused as expected; 2: no limit could be set; above 128: a crash";
#endif
}
#endif

}  // namespace
}  // namespace vondrel
