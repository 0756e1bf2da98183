#include "ui/layer/resources.h"

namespace tilu::ui {

namespace {

HINSTANCE ProgramModule() {
    return GetModuleHandleW(nullptr);
}

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

}  // namespace

HCURSOR LoadPointer(int resourceId) {
    return static_cast<HCURSOR>(LoadImageW(ProgramModule(), MAKEINTRESOURCEW(resourceId),
                                           IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

UniqueIcon LoadIconAt(int resourceId, SIZE size) {
    return UniqueIcon(
        static_cast<HICON>(LoadImageW(ProgramModule(), MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                      size.cx, size.cy, LR_DEFAULTCOLOR)));
}

void ScaledImage::Draw(HDC dc, const RECT& target) const {
    if (Width(target) <= 0 || Height(target) <= 0) {
        return;
    }
    if (source_.kind == ImageKind::Icon) {
        DrawIcon(dc, target);
    } else {
        DrawBitmap(dc, target);
    }
}

void ScaledImage::DrawIcon(HDC dc, const RECT& target) const {
    const SIZE size{Width(target), Height(target)};
    if (!icon_ || iconSize_.cx != size.cx || iconSize_.cy != size.cy) {
        icon_ = LoadIconAt(source_.resourceId, size);
        iconSize_ = size;
    }
    if (icon_) {
        DrawIconEx(dc, target.left, target.top, icon_.get(), size.cx, size.cy, 0, nullptr,
                   DI_NORMAL);
    }
}

void ScaledImage::DrawBitmap(HDC dc, const RECT& target) const {
    if (!bitmap_) {
        bitmap_.reset(
            static_cast<HBITMAP>(LoadImageW(ProgramModule(), MAKEINTRESOURCEW(source_.resourceId),
                                            IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    }
    if (!bitmap_) {
        return;
    }
    BITMAP info{};
    GetObjectW(bitmap_.get(), sizeof info, &info);
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    SelectedObject selected(source.get(), bitmap_.get());
    const bool scaled = info.bmWidth != Width(target) || info.bmHeight != Height(target);
    const int previousMode = SetStretchBltMode(dc, scaled ? HALFTONE : COLORONCOLOR);
    StretchBlt(dc, target.left, target.top, Width(target), Height(target), source.get(), 0, 0,
               info.bmWidth, info.bmHeight, SRCCOPY);
    SetStretchBltMode(dc, previousMode);
}

}  // namespace tilu::ui
