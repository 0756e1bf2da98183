// A windowless label: a caption drawn in one font and colour, on a transparent or opaque
// background, aligned left, centred or right and wrapped at blanks inside its box.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "ui/layer/font.h"
#include "ui/layer/lightweight.h"

namespace tilu::ui {

enum class Alignment { Left, Center, Right };

struct LabelDesign {
    TwipsRect bounds{};
    std::wstring caption{};
    COLORREF foreColor = RGB(0, 0, 0);
    std::optional<COLORREF> backColor{};  // none: transparent, only the text is drawn
    FontSpec font = SansSerifRegular();
    Alignment alignment = Alignment::Left;
    bool border = false;  // flat, one pixel
    HCURSOR pointer = nullptr;
};

class Label : public Lightweight {
public:
    Label(Surface& host, LabelDesign design);

    const std::wstring& Caption() const { return design_.caption; }
    void SetCaption(std::wstring caption);
    COLORREF ForeColor() const { return design_.foreColor; }
    void SetForeColor(COLORREF color);

    void Paint(HDC dc, const Scale& scale) const override;

private:
    LabelDesign design_;  // as built, with the caption and colour set since
    ScaledFont font_;
};

}  // namespace tilu::ui
