#include "ui/layer/line.h"

#include <algorithm>
#include <cstdlib>

#include "ui/layer/gdi.h"

namespace tilu::ui {

namespace {

TwipsRect Enclosing(const LineDesign& design) {
    return TwipsRect{std::min(design.from.x, design.to.x), std::min(design.from.y, design.to.y),
                     std::abs(design.to.x - design.from.x), std::abs(design.to.y - design.from.y)};
}

}  // namespace

Line::Line(Surface& host, const LineDesign& design)
    : Lightweight(host, Enclosing(design)), design_(design) {}

void Line::Paint(HDC dc, const Scale& scale) const {
    const UniquePen pen(CreatePen(PS_SOLID, 1, design_.color));
    SelectedObject selected(dc, pen.get());
    const POINT from = scale.Px(design_.from);
    const POINT to = scale.Px(design_.to);
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
    // LineTo leaves out the end point; the line includes it.
    SetPixel(dc, to.x, to.y, design_.color);
}

}  // namespace tilu::ui
