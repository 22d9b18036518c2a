// Owners of the window layer's handles (GDI objects, menus, registry keys, icons, memory device
// contexts), each closed by the function that belongs to it (os/owned.h).
//     win::OwnedMenu menu(LoadMenuW(...));   win::GdiObject<HBRUSH> brush(CreateSolidBrush(...));
#pragma once

#include <windows.h>

#include "os/owned.h"

namespace vondrel::win {

struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DestroyMenuHandle {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct CloseRegistryKey {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
struct DestroyIconHandle {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct DeleteMemoryDC {
    void operator()(HDC dc) const { DeleteDC(dc); }
};

// A brush, bitmap, pen or font.
template <typename Object>
using GdiObject = os::Owned<Object, DeleteGdiObject>;
using OwnedMenu = os::Owned<HMENU, DestroyMenuHandle>;
// A key this program opened (never a predefined root such as HKEY_CURRENT_USER).
using RegistryKey = os::Owned<HKEY, CloseRegistryKey>;
// An icon this program made (never a shared one loaded with LR_SHARED).
using OwnedIcon = os::Owned<HICON, DestroyIconHandle>;
// A device context made by CreateCompatibleDC.
using MemoryDC = os::Owned<HDC, DeleteMemoryDC>;

// Selects an object into a device context for a scope and puts the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc(dc), previous(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc, previous); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc;
    HGDIOBJ previous;
};

}  // namespace vondrel::win
