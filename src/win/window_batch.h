// WindowBatch: several child windows moved in one step (DeferWindowPos), so that no child is
// drawn over a sibling that has not moved yet and no window's old pixels are copied to its new
// place; the parent is drawn anew once everything stands.
#pragma once

#include <windows.h>

namespace vondrel::win {

class WindowBatch {
public:
    explicit WindowBatch(int windows) : batch(BeginDeferWindowPos(windows)) {}
    ~WindowBatch() { Apply(); }
    WindowBatch(const WindowBatch&) = delete;
    WindowBatch& operator=(const WindowBatch&) = delete;

    void Move(HWND window, int x, int y, int width, int height) {
        if (batch && window) {
            batch = DeferWindowPos(batch, window, nullptr, x, y, width, height,
                                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
        }
    }
    // Moves everything at once (done by the destructor when not called).
    void Apply() {
        if (batch) EndDeferWindowPos(batch);
        batch = nullptr;
    }

private:
    HDWP batch;
};

}  // namespace vondrel::win
