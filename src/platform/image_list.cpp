// Image list ownership.
#include "platform/image_list.h"

namespace vondrel::platform {

ImageList& ImageList::operator=(ImageList&& other) noexcept {
    if (this != &other) {
        Reset();
        handle = other.handle;
        other.handle = nullptr;
    }
    return *this;
}

bool ImageList::Create(int size, int initial, int grow) {
    Reset();
    handle = ImageList_Create(size, size, ILC_MASK | ILC_COLOR32, initial, grow);
    return handle != nullptr;
}

void ImageList::Reset() {
    if (handle) ImageList_Destroy(handle);
    handle = nullptr;
}

HICON ImageList::MakeIcon(int index) const {
    if (!handle || index < 0 || index >= Count()) return nullptr;
    return ImageList_GetIcon(handle, index, ILD_NORMAL);
}

}  // namespace vondrel::platform
