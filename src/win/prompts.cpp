// Real message boxes and file dialogs.
#include "win/prompts.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "os/text_codec.h"
#include "os/win32_text.h"

namespace vondrel::win {

const wchar_t kMessageCaption[] = L"Vondrel";

UINT WithDefaultIcon(UINT buttons) {
    if (buttons & MB_ICONMASK) return buttons;
    switch (buttons & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL: return buttons | MB_ICONEXCLAMATION;
        case MB_YESNO:
        case MB_YESNOCANCEL: return buttons | MB_ICONQUESTION;
        default: return buttons;
    }
}

int SystemPrompts::ShowMessage(HWND owner, const std::string& text, UINT buttons) {
    return MessageBoxW(owner, os::ToWide(text).c_str(), kMessageCaption, WithDefaultIcon(buttons));
}

int Prompts::ShowUtf8Message(HWND owner, const std::string& utf8, UINT buttons) {
    bool replaced = false;
    return ShowMessage(owner, os::Utf8ToCp932Text(utf8, replaced), buttons);
}

int SystemPrompts::ShowUtf8Message(HWND owner, const std::string& utf8, UINT buttons) {
    return MessageBoxW(owner, os::Utf8ToWide(utf8).c_str(), kMessageCaption, WithDefaultIcon(buttons));
}

bool SystemPrompts::ChooseFile(HWND owner, const FileDialogOptions& options, FileChoice& choice) {
    // "A|B|C|D||" becomes "A\0B\0C\0D\0\0".
    std::wstring filter = os::ToWide(options.filter);
    for (wchar_t& c : filter) {
        if (c == L'|') c = L'\0';
    }
    filter.push_back(L'\0');
    const std::wstring extension = os::ToWide(options.defaultExtension);
    const std::wstring title = os::ToWide(options.title);
    const std::wstring& folder = options.initialFolder.native();
    std::vector<wchar_t> file(32768, L'\0');  // long paths are returned whole
    const std::wstring& name = options.initialName.native();
    std::copy(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(std::min(name.size(), file.size() - 1)), file.begin());

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(options.filterIndex > 0 ? options.filterIndex : 1);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    // The current directory is kept, so files looked up by bare name stay where they were.
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ENABLESIZING;
    if (options.save && options.confirmOverwrite) ofn.Flags |= OFN_OVERWRITEPROMPT;
    const BOOL chosen = options.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!chosen) return false;
    choice.path = os::Path(std::wstring(file.data()));
    choice.filterIndex = static_cast<int>(ofn.nFilterIndex);
    return true;
}

}  // namespace vondrel::win
