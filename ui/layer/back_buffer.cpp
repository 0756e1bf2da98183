#include "ui/layer/back_buffer.h"

namespace tilu::ui {

HDC BackBuffer::Prepare(HDC target, SIZE size) {
    if (!dc_ || size.cx > size_.cx || size.cy > size_.cy) {
        dc_.reset();
        bitmap_.reset();
        UniqueMemoryDc dc(CreateCompatibleDC(target));
        UniqueBitmap bitmap(CreateCompatibleBitmap(target, size.cx, size.cy));
        if (!dc || !bitmap) {
            return nullptr;
        }
        SelectObject(dc.get(), bitmap.get());
        dc_ = std::move(dc);
        bitmap_ = std::move(bitmap);
        size_ = size;
    }
    return dc_.get();
}

}  // namespace tilu::ui
