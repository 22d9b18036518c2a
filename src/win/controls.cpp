// Standard control views.
#include "win/controls.h"

#include "os/win32_text.h"

namespace vondrel::win {

namespace {
// The text of entry `index` of a combo or list box, asked with its length and text messages.
std::string EntryTextOf(const Window& box, UINT lengthMessage, UINT textMessage, int index) {
    const LRESULT length = box.Send(lengthMessage, static_cast<WPARAM>(index));
    if (length < 0) return std::string();
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    box.Send(textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(length));
    return os::ToCp932(text);
}
}  // namespace

int UpDown::Position(bool* valid) const {
    BOOL failed = FALSE;
    const int position = static_cast<int>(Send(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
    if (valid) *valid = !failed;
    return position;
}

int ComboBox::Add(const std::string& text) const {
    return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(os::ToWide(text).c_str())));
}

std::string ComboBox::EntryText(int index) const { return EntryTextOf(*this, CB_GETLBTEXTLEN, CB_GETLBTEXT, index); }

int ListBox::Add(const std::string& text) const {
    return static_cast<int>(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(os::ToWide(text).c_str())));
}

std::string ListBox::EntryText(int index) const { return EntryTextOf(*this, LB_GETTEXTLEN, LB_GETTEXT, index); }

}  // namespace vondrel::win
