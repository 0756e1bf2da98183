// A windowless line between two points, one pixel wide. Decoration only: it takes no mouse input.
#pragma once

#include "ui/layer/lightweight.h"

namespace tilu::ui {

struct LineDesign {
    TwipsPoint from;
    TwipsPoint to;
    COLORREF color = RGB(0, 0, 0);
};

class Line : public Lightweight {
public:
    Line(Surface& host, const LineDesign& design);

    bool TakesMouse() const override { return false; }
    void Paint(HDC dc, const Scale& scale) const override;

private:
    LineDesign design_;
};

}  // namespace tilu::ui
