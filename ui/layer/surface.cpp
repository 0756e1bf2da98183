#include "ui/layer/surface.h"

#include <algorithm>

#include "ui/layer/gdi.h"

namespace tilu::ui {

namespace {

constexpr WPARAM kAnyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;

// The pixels a control may touch: its bounds and, for a line on their edge, one pixel more.
RECT PaintedArea(const Scale& scale, const TwipsRect& bounds) {
    RECT pixels = scale.Px(bounds);
    InflateRect(&pixels, 1, 1);
    return pixels;
}

POINT PointOf(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

void Surface::PaintContent(HDC dc) const {
    RECT client{};
    GetClientRect(Hwnd(), &client);
    PaintContent(dc, client);
}

void Surface::PaintContent(HDC dc, const RECT& area) const {
    if (!Hwnd()) {
        return;
    }
    const UniqueBrush background(CreateSolidBrush(backColor_));
    FillRect(dc, &area, background.get());
    const Scale scale(Dpi());
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        const RECT painted = PaintedArea(scale, (*it)->Bounds());
        RECT overlap{};
        if ((*it)->Visible() && IntersectRect(&overlap, &painted, &area)) {
            SavedDcState state(dc);
            (*it)->Paint(dc, scale);
        }
    }
}

Lightweight* Surface::HitTest(POINT point) const {
    const Scale scale(Dpi());
    for (Lightweight* control : controls_) {
        if (!control->Visible() || !control->TakesMouse()) {
            continue;
        }
        const RECT area = scale.Px(control->Bounds());
        if (PtInRect(&area, point)) {
            return control;
        }
    }
    return nullptr;
}

void Surface::Join(Lightweight& control) {
    controls_.push_back(&control);
    InvalidateArea(control.Bounds());
}

void Surface::Leave(Lightweight& control) {
    std::erase(controls_, &control);
    if (press_.target == &control) {
        press_.target = nullptr;
        press_.canClick = false;
    }
}

void Surface::InvalidateArea(const TwipsRect& area) const {
    if (!Hwnd()) {
        return;
    }
    const RECT pixels = PaintedArea(Scale(Dpi()), area);
    InvalidateRect(Hwnd(), &pixels, FALSE);
}

LRESULT Surface::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_PRINTCLIENT:
            PaintContent(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            OnButtonDown(MK_LBUTTON, message == WM_LBUTTONDBLCLK, wParam, PointOf(lParam));
            return 0;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            OnButtonDown(MK_RBUTTON, message == WM_RBUTTONDBLCLK, wParam, PointOf(lParam));
            return 0;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            OnButtonDown(MK_MBUTTON, message == WM_MBUTTONDBLCLK, wParam, PointOf(lParam));
            return 0;
        case WM_LBUTTONUP:
            OnButtonUp(MK_LBUTTON, wParam, PointOf(lParam));
            return 0;
        case WM_RBUTTONUP:
            OnButtonUp(MK_RBUTTON, wParam, PointOf(lParam));
            return 0;
        case WM_MBUTTONUP:
            OnButtonUp(MK_MBUTTON, wParam, PointOf(lParam));
            return 0;
        case WM_MOUSEMOVE:
            OnMove(wParam, PointOf(lParam));
            return 0;
        case WM_SETCURSOR:
            if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam))) {
                return TRUE;
            }
            break;
        case WM_CAPTURECHANGED:
            if (press_.active && reinterpret_cast<HWND>(lParam) != Hwnd()) {
                Lightweight* target = press_.target;
                press_ = {};
                OnPressAbandoned(target);
            }
            return 0;
        default:
            break;
    }
    return Window::OnMessage(message, wParam, lParam);
}

void Surface::OnPaint() {
    PAINTSTRUCT ps{};
    const HDC dc = BeginPaint(Hwnd(), &ps);
    // Only the part that needs it, drawn off-screen first so that overlapping controls do not
    // flicker.
    RECT client{};
    GetClientRect(Hwnd(), &client);
    RECT area{};
    if (IntersectRect(&area, &ps.rcPaint, &client)) {
        if (const HDC buffer = buffer_.Prepare(dc, SIZE{client.right, client.bottom})) {
            SavedDcState state(buffer);
            IntersectClipRect(buffer, area.left, area.top, area.right, area.bottom);
            PaintContent(buffer, area);
            BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, buffer,
                   area.left, area.top, SRCCOPY);
        }
    }
    EndPaint(Hwnd(), &ps);
}

void Surface::OnButtonDown(UINT button, bool secondOfDouble, WPARAM keys, POINT point) {
    const std::weak_ptr<int> alive = alive_;
    OnMousePress();
    if (alive.expired()) {
        return;
    }
    if (!press_.active) {
        press_.active = true;
        press_.target = HitTest(point);
        press_.canClick = button == MK_LBUTTON && !secondOfDouble;
        SetCapture(Hwnd());
    } else {
        // Another button joined a press in progress: it belongs to the same control.
        press_.canClick = false;
    }
    const MouseInput input{button, keys, point};
    if (press_.target) {
        Raise(press_.target->MouseDown, input);
    }
}

void Surface::OnButtonUp(UINT button, WPARAM keys, POINT point) {
    if (!press_.active) {
        return;  // the press happened elsewhere
    }
    Lightweight* target = press_.target;
    const bool click =
        target && press_.canClick && button == MK_LBUTTON && HitTest(point) == target;
    if ((keys & kAnyButton) == 0) {
        press_ = {};
        ReleaseCapture();
    } else if (button == MK_LBUTTON) {
        press_.canClick = false;
    }
    const std::weak_ptr<int> alive = alive_;
    const MouseInput input{button, keys, point};
    if (target) {
        Raise(target->MouseUp, input);
    }
    // The release's handler may have unloaded the window or removed the control.
    if (!click || alive.expired() ||
        std::find(controls_.begin(), controls_.end(), target) == controls_.end()) {
        return;
    }
    Raise(target->Click);
}

void Surface::OnMove(WPARAM keys, POINT point) {
    Lightweight* target = press_.active ? press_.target : HitTest(point);
    const MouseInput input{0, keys, point};
    if (target) {
        Raise(target->MouseMove, input);
    } else {
        OnBareMouseMove(input);
    }
}

bool Surface::OnSetCursor(HWND target, UINT hitCode) {
    if (target != Hwnd() || hitCode != HTCLIENT) {
        return false;
    }
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(Hwnd(), &point);
    const Lightweight* control = HitTest(point);
    if (control && control->Pointer()) {
        SetCursor(control->Pointer());
        return true;
    }
    return false;
}

}  // namespace tilu::ui
