// The clipboard's text: read and written as CF_UNICODETEXT, the form map apps and browsers put
// a copied position or link in. The clipboard is held open only inside each call.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace vondrel::win {

// The text on the clipboard; nothing when it holds no text or cannot be opened. Texts longer
// than `maxChars` count as none (no position or link is that long).
std::optional<std::wstring> ReadClipboardText(HWND owner, std::size_t maxChars = 65536);

// Replaces the clipboard's contents with `text`; false when the clipboard could not be had.
bool WriteClipboardText(HWND owner, const std::wstring& text);

}  // namespace vondrel::win
