// Twips and their conversion to pixels: the one place where design sizes meet the screen's DPI.
#pragma once

#include <windows.h>

namespace tilu::ui {

// A position or size in twips (1/1440 inch), as the designs give them.
using Twips = int;

inline constexpr int kTwipsPerInch = 1440;
inline constexpr UINT kDefaultDpi = USER_DEFAULT_SCREEN_DPI;  // 96: 15 twips per pixel

// A rectangle in twips, relative to the client area that holds it.
struct TwipsRect {
    Twips left = 0;
    Twips top = 0;
    Twips width = 0;
    Twips height = 0;
};

struct TwipsPoint {
    Twips x = 0;
    Twips y = 0;
};

// Converts design units (twips, or pixels drawn for 96 DPI) to pixels at one DPI.
class Scale {
public:
    explicit constexpr Scale(UINT dpi) : dpi_(dpi == 0 ? kDefaultDpi : dpi) {}

    UINT Dpi() const { return dpi_; }
    int Px(Twips twips) const { return MulDiv(twips, static_cast<int>(dpi_), kTwipsPerInch); }
    // A size drawn for 96 DPI (artwork "at its own size") at this DPI.
    int FromDefaultDpi(int pixels) const {
        return MulDiv(pixels, static_cast<int>(dpi_), static_cast<int>(kDefaultDpi));
    }
    RECT Px(const TwipsRect& r) const {
        const int left = Px(r.left);
        const int top = Px(r.top);
        return RECT{left, top, left + Px(r.width), top + Px(r.height)};
    }
    POINT Px(const TwipsPoint& p) const { return POINT{Px(p.x), Px(p.y)}; }

private:
    UINT dpi_;
};

}  // namespace tilu::ui
