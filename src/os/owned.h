// Owned: a move-only owner of a system handle, which closes it with the function that belongs to
// it when the owner ends or takes another one, so no handle is closed by hand. The closing
// policies are in win32_owned.h and posix_owned.h.
//     os::KernelHandle process(OpenProcess(...));   os::Descriptor fd(::open(...));
#pragma once

#include <type_traits>
#include <utility>

namespace vondrel::os {

// `Closer` closes a handle; a Closer that declares `static Handle Invalid()` names the value
// that means "no handle" (INVALID_HANDLE_VALUE for files, -1 for descriptors), otherwise it is
// the null handle.
template <typename Closer, typename Handle, typename = void>
struct NoHandle {
    static Handle Value() { return Handle{}; }
};
template <typename Closer, typename Handle>
struct NoHandle<Closer, Handle, std::void_t<decltype(Closer::Invalid())>> {
    static Handle Value() { return Closer::Invalid(); }
};

template <typename Handle, typename Closer>
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
        if (handle != None()) Closer{}(handle);
        handle = replacement;
    }
    // Closes the handle now; false when closing failed (for a file written to, the last of its
    // writes can fail there). For closers that report success.
    bool Close() { return handle == None() || Closer{}(Release()); }
    // Gives the handle up without closing it.
    Handle Release() { return std::exchange(handle, None()); }

private:
    static Handle None() { return NoHandle<Closer, Handle>::Value(); }

    Handle handle = None();
};

}  // namespace vondrel::os
