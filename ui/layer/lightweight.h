// Windowless controls: drawn by the surface that holds them and fed its mouse input. Each joins
// its surface when constructed, behind those already there, so that constructing a window's
// controls in the design's front-to-back order gives the design's stacking; it leaves the
// surface when destroyed.
#pragma once

#include <windows.h>

#include <functional>

#include "ui/layer/scale.h"

namespace tilu::ui {

class Surface;

// Which mouse button a press or release concerns, the buttons and keys held (MK_ flags), and
// where, in pixels of the surface.
struct MouseInput {
    UINT button = 0;  // MK_LBUTTON, MK_RBUTTON or MK_MBUTTON; 0 for a move
    WPARAM keys = 0;
    POINT point{};
};

using MouseHandler = std::function<void(const MouseInput&)>;
using EventHandler = std::function<void()>;

// Calls a copy of the handler, if there is one: the handler may destroy the control that holds
// it, and the handler with it.
template <class Handler, class... Args>
void Raise(const Handler& handler, const Args&... args) {
    if (handler) {
        const Handler call = handler;
        call(args...);
    }
}

class Lightweight {
public:
    Lightweight(const Lightweight&) = delete;
    Lightweight& operator=(const Lightweight&) = delete;
    virtual ~Lightweight();

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    const TwipsRect& Bounds() const { return bounds_; }

    HCURSOR Pointer() const { return pointer_; }
    void SetPointer(HCURSOR pointer) { pointer_ = pointer; }

    // Decorative controls let the mouse through to whatever lies behind them.
    virtual bool TakesMouse() const { return true; }
    virtual void Paint(HDC dc, const Scale& scale) const = 0;

    // Events. A click is a left-button press and release on this control; the second press of
    // a double click is a press that makes no click.
    MouseHandler MouseDown;
    MouseHandler MouseMove;
    MouseHandler MouseUp;
    EventHandler Click;

protected:
    Lightweight(Surface& host, TwipsRect bounds);
    void Invalidate() const;

private:
    Surface& host_;
    TwipsRect bounds_;
    bool visible_ = true;
    HCURSOR pointer_ = nullptr;
};

}  // namespace tilu::ui
