// Move-only owners of the Win32 handles the bridge creates: kernel handles, GDI objects, memory
// device contexts and WinHTTP handles. Each releases its handle once, in its destructor.
#pragma once

#include <windows.h>
#include <winhttp.h>

#include <utility>

namespace vondrel::tarvix {

template <typename T, typename Traits>
class Owned {
public:
    Owned() = default;
    explicit Owned(T handle) : handle(handle) {}
    Owned(Owned&& other) noexcept : handle(std::exchange(other.handle, Traits::Invalid())) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle, Traits::Invalid()));
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned() { Reset(); }

    void Reset(T replacement = Traits::Invalid()) {
        if (handle != Traits::Invalid()) Traits::Close(handle);
        handle = replacement;
    }
    T Get() const { return handle; }
    explicit operator bool() const { return handle != Traits::Invalid(); }

private:
    T handle = Traits::Invalid();
};

struct KernelTraits {
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct FileTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct GdiTraits {
    static HGDIOBJ Invalid() { return nullptr; }
    static void Close(HGDIOBJ h) { DeleteObject(h); }
};
struct DcTraits {
    static HDC Invalid() { return nullptr; }
    static void Close(HDC h) { DeleteDC(h); }
};
struct InternetTraits {
    static HINTERNET Invalid() { return nullptr; }
    static void Close(HINTERNET h) { WinHttpCloseHandle(h); }
};
struct MenuTraits {
    static HMENU Invalid() { return nullptr; }
    static void Close(HMENU h) { DestroyMenu(h); }
};

using KernelHandle = Owned<HANDLE, KernelTraits>;
using FileHandle = Owned<HANDLE, FileTraits>;  // CreateFile's failure value is not null
using GdiObject = Owned<HGDIOBJ, GdiTraits>;
using MemoryDc = Owned<HDC, DcTraits>;
using InternetHandle = Owned<HINTERNET, InternetTraits>;
using MenuHandle = Owned<HMENU, MenuTraits>;

// Selects an object into a device context for a scope and puts the previous one back.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc(dc), previous(SelectObject(dc, object)) {}
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection() { SelectObject(dc, previous); }

private:
    HDC dc;
    HGDIOBJ previous;
};

}  // namespace vondrel::tarvix
