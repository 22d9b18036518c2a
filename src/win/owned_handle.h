// Move-only owners of Win32 handles: each closes its handle with the function that belongs to
// it when the owner ends or takes another one, so no handle is closed by hand.
//     win::OwnedMenu menu(LoadMenuW(...));   win::GdiObject<HBRUSH> brush(CreateSolidBrush(...));
#pragma once

#include <windows.h>

#include <utility>

namespace vondrel::win {

template <typename Handle, typename Close>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle owned) : handle(owned) {}
    ~Owned() { Reset(); }
    Owned(Owned&& other) noexcept : handle(other.Release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Handle Get() const { return handle; }
    explicit operator bool() const { return handle != Handle{}; }
    // Closes the handle held, if any, and takes `replacement`.
    void Reset(Handle replacement = Handle{}) {
        if (handle != Handle{}) Close{}(handle);
        handle = replacement;
    }
    // Gives the handle up without closing it.
    Handle Release() { return std::exchange(handle, Handle{}); }

private:
    Handle handle{};
};

struct CloseKernelObject {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
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

// A process or thread handle (null when there is none).
using KernelHandle = Owned<HANDLE, CloseKernelObject>;
// A brush, bitmap, pen or font.
template <typename Object>
using GdiObject = Owned<Object, DeleteGdiObject>;
using OwnedMenu = Owned<HMENU, DestroyMenuHandle>;
// A key this program opened (never a predefined root such as HKEY_CURRENT_USER).
using RegistryKey = Owned<HKEY, CloseRegistryKey>;
// An icon this program made (never a shared one loaded with LR_SHARED).
using OwnedIcon = Owned<HICON, DestroyIconHandle>;
// A device context made by CreateCompatibleDC.
using MemoryDC = Owned<HDC, DeleteMemoryDC>;

}  // namespace vondrel::win
