// Clipboard text through OpenClipboard, held for one call by an owner that closes it.
#include "win/clipboard.h"

#include <cstring>

#include "win/owned_handle.h"

namespace vondrel::win {

namespace {

// The clipboard opened for `owner` until the end of the scope. Another program may hold it for
// a moment (clipboard managers read every change), so opening is tried a few times.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) {
        for (int attempt = 0; attempt < 10 && !open; ++attempt) {
            open = OpenClipboard(owner) != FALSE;
            if (!open) Sleep(10);
        }
    }
    ~OpenedClipboard() {
        if (open) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    explicit operator bool() const { return open; }

private:
    bool open = false;
};

struct FreeGlobalMemory {
    void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};
using GlobalMemory = os::Owned<HGLOBAL, FreeGlobalMemory>;

}  // namespace

std::optional<std::wstring> ReadClipboardText(HWND owner, std::size_t maxChars) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::nullopt;
    const OpenedClipboard clipboard(owner);
    if (!clipboard) return std::nullopt;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);  // owned by the clipboard
    if (!data) return std::nullopt;
    const auto* chars = static_cast<const wchar_t*>(GlobalLock(data));
    if (!chars) return std::nullopt;
    // The text ends at its NUL or at the end of the block, whichever comes first.
    const std::size_t capacity = GlobalSize(data) / sizeof(wchar_t);
    std::size_t length = 0;
    while (length < capacity && chars[length] != L'\0') ++length;
    std::optional<std::wstring> text;
    if (length <= maxChars) text.emplace(chars, length);
    GlobalUnlock(data);
    return text;
}

bool WriteClipboardText(HWND owner, const std::wstring& text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return false;
    void* target = GlobalLock(memory.Get());
    if (!target) return false;
    std::memcpy(target, text.c_str(), bytes);
    GlobalUnlock(memory.Get());
    const OpenedClipboard clipboard(owner);
    if (!clipboard || !EmptyClipboard()) return false;
    if (!SetClipboardData(CF_UNICODETEXT, memory.Get())) return false;
    memory.Release();  // the clipboard owns it now
    return true;
}

}  // namespace vondrel::win
