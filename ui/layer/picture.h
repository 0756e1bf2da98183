// A windowless picture: an icon or bitmap resource, at its own size from the top-left corner of
// its box or stretched to fill the box.
#pragma once

#include "ui/layer/lightweight.h"
#include "ui/layer/resources.h"

namespace tilu::ui {

struct PictureDesign {
    TwipsRect bounds{};
    ImageSource image{};
    bool stretch = false;
    HCURSOR pointer = nullptr;
};

class Picture : public Lightweight {
public:
    Picture(Surface& host, const PictureDesign& design);

    // Where the picture is drawn, in pixels at the given scale.
    RECT DrawnArea(const Scale& scale) const;

    void Paint(HDC dc, const Scale& scale) const override;

private:
    PictureDesign design_;
    ScaledImage image_;
};

}  // namespace tilu::ui
