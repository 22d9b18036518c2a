// The owners of the handles and memory the system hands out below the window layer: kernel
// objects, files, file searches, memory from LocalAlloc and CoTaskMemAlloc, WinHTTP handles.
// Every one of them is closed here and nowhere else.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <winhttp.h>

#include "os/owned.h"

namespace vondrel::os {

struct CloseKernelObject {
    bool operator()(HANDLE handle) const { return CloseHandle(handle) != FALSE; }
};
struct CloseFile {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    bool operator()(HANDLE file) const { return CloseHandle(file) != FALSE; }
};
struct CloseFileSearch {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    bool operator()(HANDLE search) const { return FindClose(search) != FALSE; }
};
struct FreeLocalMemory {
    void operator()(void* memory) const { LocalFree(memory); }
};
struct FreeTaskMemory {
    void operator()(void* memory) const { CoTaskMemFree(memory); }
};
struct CloseInternetHandle {
    bool operator()(HINTERNET handle) const { return WinHttpCloseHandle(handle) != FALSE; }
};

// A process, thread or other kernel object (null when there is none).
using KernelHandle = Owned<HANDLE, CloseKernelObject>;
// A file opened by CreateFileW, or a snapshot (whose failure value is INVALID_HANDLE_VALUE, not null).
using FileHandle = Owned<HANDLE, CloseFile>;
// A search begun by FindFirstFileW or FindFirstFileExW.
using FileSearch = Owned<HANDLE, CloseFileSearch>;
// What a function gave with LocalAlloc for the caller to free (CommandLineToArgvW's list).
template <typename Pointer>
using LocalMemory = Owned<Pointer, FreeLocalMemory>;
// What a function gave with CoTaskMemAlloc for the caller to free (a known folder's path).
template <typename Pointer>
using TaskMemory = Owned<Pointer, FreeTaskMemory>;
// A WinHTTP session, connection or request.
using InternetHandle = Owned<HINTERNET, CloseInternetHandle>;

}  // namespace vondrel::os
