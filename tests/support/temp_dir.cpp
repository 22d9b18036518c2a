// Temporary folders and direct file access for tests.
#include "support/temp_dir.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#ifdef _WIN32
#include <windows.h>

#include "os/win32_text.h"
#endif

namespace vondrel::test {

namespace fs = std::filesystem;

os::Path PathOf(const std::string& cp932) {
#ifdef _WIN32
    return os::Path(os::ToWide(cp932));
#else
    return os::Path(cp932);
#endif
}

TempDir::TempDir() {
    std::random_device random;
    root = fs::temp_directory_path() / ("vondrel-test-" + std::to_string(random()));
    fs::create_directories(root);
    rootText = os::DisplayPath(root);
}

TempDir::~TempDir() {
    std::error_code ignored;
#ifdef _WIN32
    // The extended form reaches folders nested beyond the classic path limit.
    const fs::path top(L"\\\\?\\" + root.native());
#else
    const fs::path top(root);
#endif
    fs::recursive_directory_iterator it(top, ignored), end;
    while (!ignored && it != end) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        it.increment(ignored);
    }
    fs::remove_all(top, ignored);
}

std::string TempDir::Path(const std::string& name) const {
#ifdef _WIN32
    return rootText + "\\" + name;
#else
    return rootText + "/" + name;
#endif
}

#ifdef _WIN32
os::Path TempDir::LongFolderPath() const {
    os::Path folder = root;
    for (int i = 0; i < 5; ++i) {
        folder /= std::wstring(60, static_cast<wchar_t>(L'k' + i));
        CreateDirectoryW(os::FileSystemPath(folder).c_str(), nullptr);
    }
    return folder;
}

std::string TempDir::LongFolder() const { return os::DisplayPath(LongFolderPath()); }
#endif

namespace {
// The extended form on Windows, so long paths are reached too.
fs::path Reachable(const os::Path& path) {
#ifdef _WIN32
    return fs::path(os::FileSystemPath(path));
#else
    return path;
#endif
}
}  // namespace

void WriteFileBytes(const os::Path& path, const std::string& bytes) {
    std::ofstream out(Reachable(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFileBytes(const os::Path& path) {
    std::ifstream in(Reachable(path), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteFileBytes(const std::string& cp932Path, const std::string& bytes) { WriteFileBytes(PathOf(cp932Path), bytes); }

std::string ReadFileBytes(const std::string& cp932Path) { return ReadFileBytes(PathOf(cp932Path)); }

void SetReadOnly(const os::Path& path, bool readOnly) {
    const auto write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(path, write, readOnly ? fs::perm_options::remove : fs::perm_options::add);
}

}  // namespace vondrel::test
