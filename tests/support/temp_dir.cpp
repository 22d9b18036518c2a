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

namespace {
fs::path ToFsPath(const std::string& path) {
#ifdef _WIN32
    return fs::path(os::ToWide(path));
#else
    return fs::path(path);
#endif
}
}  // namespace

TempDir::TempDir() {
    std::random_device random;
    const fs::path base = fs::temp_directory_path() / ("vondrel-test-" + std::to_string(random()));
    fs::create_directories(base);
#ifdef _WIN32
    root = os::ToCp932(base.wstring());
#else
    root = base.string();
#endif
}

TempDir::~TempDir() {
    std::error_code ignored;
#ifdef _WIN32
    // The extended form reaches folders nested beyond the classic path limit.
    const fs::path top(L"\\\\?\\" + os::ToWide(root));
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
    return root + "\\" + name;
#else
    return root + "/" + name;
#endif
}

#ifdef _WIN32
std::string TempDir::LongFolder() const {
    std::string folder = root;
    for (int i = 0; i < 5; ++i) {
        folder += "\\" + std::string(60, static_cast<char>('k' + i));
        CreateDirectoryW(os::FileSystemPath(folder).c_str(), nullptr);
    }
    return folder;
}
#endif

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(ToFsPath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(ToFsPath(path), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void SetReadOnly(const std::string& path, bool readOnly) {
    const auto write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(ToFsPath(path), write, readOnly ? fs::perm_options::remove : fs::perm_options::add);
}

}  // namespace vondrel::test
