#include "ui/layer/label.h"

#include "ui/layer/gdi.h"

namespace tilu::ui {

namespace {

UINT AlignmentFormat(Alignment alignment) {
    switch (alignment) {
        case Alignment::Center:
            return DT_CENTER;
        case Alignment::Right:
            return DT_RIGHT;
        case Alignment::Left:
        default:
            return DT_LEFT;
    }
}

}  // namespace

Label::Label(Surface& host, LabelDesign design)
    : Lightweight(host, design.bounds), design_(std::move(design)), font_(design_.font) {
    SetPointer(design_.pointer);
}

void Label::SetCaption(std::wstring caption) {
    design_.caption = std::move(caption);
    Invalidate();
}

void Label::SetForeColor(COLORREF color) {
    design_.foreColor = color;
    Invalidate();
}

void Label::Paint(HDC dc, const Scale& scale) const {
    RECT box = scale.Px(Bounds());
    IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
    if (design_.backColor) {
        const UniqueBrush background(CreateSolidBrush(*design_.backColor));
        FillRect(dc, &box, background.get());
    }
    if (design_.border) {
        FrameRect(dc, &box, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&box, -1, -1);
    }
    const std::wstring& caption = design_.caption;
    if (caption.empty()) {
        return;
    }
    SelectObject(dc, font_.At(scale.Dpi()));
    SetTextColor(dc, design_.foreColor);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &box,
              DT_WORDBREAK | DT_NOPREFIX | AlignmentFormat(design_.alignment));
}

}  // namespace tilu::ui
