// Shell drop data.
#include "win/dropped_files.h"

#include <shellapi.h>

#include <utility>

namespace vondrel::win {

int DroppedFiles::Count() const { return handle ? static_cast<int>(DragQueryFileW(handle, 0xFFFFFFFF, nullptr, 0)) : 0; }

os::Path DroppedFiles::Path(int index) const {
    const UINT length = DragQueryFileW(handle, static_cast<UINT>(index), nullptr, 0);
    std::wstring path(length + 1, L'\0');
    DragQueryFileW(handle, static_cast<UINT>(index), &path[0], length + 1);
    path.resize(length);
    return os::Path(path);
}

os::Path DroppedFiles::LastPath() const {
    os::Path last;
    for (int i = 0; i < Count(); ++i) {
        os::Path path = Path(i);
        if (!path.empty()) last = std::move(path);
    }
    return last;
}

void DroppedFiles::Finish() {
    if (handle) DragFinish(handle);
    handle = nullptr;
}

}  // namespace vondrel::win
