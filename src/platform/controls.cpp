// Standard control views.
#include "platform/controls.h"

#include "platform/win32_text.h"

namespace vondrel::platform {

int UpDown::Position(bool* valid) const {
    BOOL failed = FALSE;
    const int position = static_cast<int>(Send(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
    if (valid) *valid = !failed;
    return position;
}

int ComboBox::Add(const std::string& text) const {
    return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(text).c_str())));
}

std::string ComboBox::EntryText(int index) const {
    const LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length < 0) return std::string();
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(length));
    return ToCp932(text);
}

int ListBox::Add(const std::string& text) const {
    return static_cast<int>(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(text).c_str())));
}

std::string ListBox::EntryText(int index) const {
    const LRESULT length = Send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length < 0) return std::string();
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(length));
    return ToCp932(text);
}

}  // namespace vondrel::platform
