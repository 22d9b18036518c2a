// The version box (template IDD_ABOUT); it only closes.
#pragma once

#include <windows.h>

namespace vondrel {

// Shows the box modally over `owner`.
void ShowAbout(HWND owner);

}  // namespace vondrel
