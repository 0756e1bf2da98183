#include "ui/layer/picture.h"

namespace tilu::ui {

Picture::Picture(Surface& host, const PictureDesign& design)
    : Lightweight(host, design.bounds), design_(design), image_(design.image) {
    SetPointer(design_.pointer);
}

RECT Picture::DrawnArea(const Scale& scale) const {
    RECT area = scale.Px(Bounds());
    if (!design_.stretch) {
        area.right = area.left + scale.FromDefaultDpi(design_.image.ownSize.cx);
        area.bottom = area.top + scale.FromDefaultDpi(design_.image.ownSize.cy);
    }
    return area;
}

void Picture::Paint(HDC dc, const Scale& scale) const {
    const RECT box = scale.Px(Bounds());
    IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
    image_.Draw(dc, DrawnArea(scale));
}

}  // namespace tilu::ui
