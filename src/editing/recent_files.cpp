// The recent-files list.
#include "editing/recent_files.h"

#include <algorithm>
#include <cwctype>
#include <type_traits>

namespace vondrel {

namespace {
// Windows compares file names without regard to case; POSIX systems do not.
constexpr bool kFoldCase = std::is_same_v<os::PathChar, wchar_t>;

os::PathChar Folded(os::PathChar c, bool foldCase) {
    if (os::IsSeparator(c)) return os::PathChar('/');
    if (!foldCase) return c;
    if constexpr (std::is_same_v<os::PathChar, wchar_t>) {
        return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    } else {
        return (c >= 'A' && c <= 'Z') ? static_cast<os::PathChar>(c - 'A' + 'a') : c;
    }
}
}  // namespace

bool SamePath(const os::Path& a, const os::Path& b, bool foldCase) {
    const os::PathString& x = a.native();
    const os::PathString& y = b.native();
    return x.size() == y.size() && std::equal(x.begin(), x.end(), y.begin(), [foldCase](os::PathChar p, os::PathChar q) {
               return Folded(p, foldCase) == Folded(q, foldCase);
           });
}

std::string RecentFileGoneText(const std::string& fileName) {
    return "ファイル " + fileName + " が見つかりません。\n最近使ったファイルの一覧から削除しました。";
}

void RecentFiles::Remove(const os::Path& path) {
    paths.erase(std::remove_if(paths.begin(), paths.end(),
                               [&path](const os::Path& listed) { return SamePath(listed, path, kFoldCase); }),
                paths.end());
}

void RecentFiles::Add(const os::Path& path) {
    if (path.empty()) return;
    Remove(path);
    paths.insert(paths.begin(), path);
    if (paths.size() > kLimit) paths.resize(kLimit);
}

void RecentFiles::Assign(const std::vector<os::Path>& stored) {
    paths.clear();
    for (auto it = stored.rbegin(); it != stored.rend(); ++it) Add(*it);
}

}  // namespace vondrel
