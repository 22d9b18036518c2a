// Move-only owners of Win32 handles: each closes its handle with the function that belongs to
// it when the owner ends or takes another one, so no handle is closed by hand.
//     win::OwnedMenu menu(LoadMenuW(...));   win::GdiObject<HBRUSH> brush(CreateSolidBrush(...));
#pragma once

#include <windows.h>

#include <type_traits>
#include <utility>

namespace vondrel::win {

// `Close` closes a handle; a Close that declares `static Handle Invalid()` names the value that
// means "no handle" (INVALID_HANDLE_VALUE for files), otherwise it is the null handle.
template <typename Close, typename Handle, typename = void>
struct NoHandle {
    static Handle Value() { return Handle{}; }
};
template <typename Close, typename Handle>
struct NoHandle<Close, Handle, std::void_t<decltype(Close::Invalid())>> {
    static Handle Value() { return Close::Invalid(); }
};

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
    explicit operator bool() const { return handle != None(); }
    // Closes the handle held, if any, and takes `replacement`.
    void Reset(Handle replacement = None()) {
        if (handle != None()) Close{}(handle);
        handle = replacement;
    }
    // Gives the handle up without closing it.
    Handle Release() { return std::exchange(handle, None()); }

private:
    static Handle None() { return NoHandle<Close, Handle>::Value(); }

    Handle handle = None();
};

struct CloseKernelObject {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct CloseFile {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    void operator()(HANDLE file) const { CloseHandle(file); }
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
// A file opened by CreateFileW (whose failure value is INVALID_HANDLE_VALUE, not null).
using FileHandle = Owned<HANDLE, CloseFile>;
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
