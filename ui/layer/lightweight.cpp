#include "ui/layer/lightweight.h"

#include "ui/layer/surface.h"

namespace tilu::ui {

Lightweight::Lightweight(Surface& host, TwipsRect bounds) : host_(host), bounds_(bounds) {
    host_.Join(*this);
}

Lightweight::~Lightweight() {
    host_.Leave(*this);
    Invalidate();
}

void Lightweight::SetVisible(bool visible) {
    if (visible_ != visible) {
        visible_ = visible;
        Invalidate();
    }
}

void Lightweight::Invalidate() const {
    host_.InvalidateArea(bounds_);
}

}  // namespace tilu::ui
