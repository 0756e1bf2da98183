// Fonts by name, size in points, weight and character set, created at a DPI on demand.
#pragma once

#include <windows.h>

#include <string>

#include "ui/layer/gdi.h"

namespace tilu::ui {

struct FontSpec {
    std::wstring face;
    double points = 0;
    int weight = FW_NORMAL;
    BYTE charset = ANSI_CHARSET;
};

// "MS Sans Serif" 8.25 pt, the windows' and the button's fonts.
FontSpec SansSerifRegular();
FontSpec SansSerifBold();

// One font kept for the DPI it was last asked for; recreated when the DPI changes.
class ScaledFont {
public:
    explicit ScaledFont(FontSpec design) : design_(std::move(design)) {}

    HFONT At(UINT dpi) const;

private:
    FontSpec design_;
    mutable UINT dpi_ = 0;
    mutable UniqueFont font_;
};

}  // namespace tilu::ui
