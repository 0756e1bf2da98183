// A window that holds lightweight controls: paints them back to front over its background and
// hit-tests them front to back. A press captures the mouse for the control under it (or for the
// bare surface), which then receives the moves and the release wherever the mouse goes.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ui/layer/back_buffer.h"
#include "ui/layer/lightweight.h"
#include "ui/layer/window.h"

namespace tilu::ui {

class Surface : public Window {
public:
    COLORREF BackColor() const { return backColor_; }

    // Paints the whole client area (background and lightweight controls) into any DC, at the
    // window's DPI. WM_PRINTCLIENT comes here; tests pass a memory DC.
    void PaintContent(HDC dc) const;
    // Paints the part `area` of the client area, skipping the controls outside it (WM_PAINT).
    void PaintContent(HDC dc, const RECT& area) const;

    // The frontmost visible control that takes the mouse at a client point, or null.
    Lightweight* HitTest(POINT point) const;

protected:
    Surface(Application& application, COLORREF backColor)
        : Window(application), backColor_(backColor) {}

    // Painting, mouse and pointer messages; the rest go to the window's default handling.
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // A move over the surface where no control takes the mouse.
    virtual void OnBareMouseMove(const MouseInput&) {}
    // Before the events of any press.
    virtual void OnMousePress() {}
    // Another window took the mouse while a button was held here; no release will come.
    virtual void OnPressAbandoned(Lightweight*) {}

private:
    friend class Lightweight;

    void Join(Lightweight& control);
    void Leave(Lightweight& control);
    void InvalidateArea(const TwipsRect& area) const;

    // The press in progress: who receives the moves and the release.
    struct Press {
        bool active = false;
        Lightweight* target = nullptr;  // null: the bare surface
        bool canClick = false;
    };

    void OnButtonDown(UINT button, bool secondOfDouble, WPARAM keys, POINT point);
    void OnButtonUp(UINT button, WPARAM keys, POINT point);
    void OnMove(WPARAM keys, POINT point);
    bool OnSetCursor(HWND target, UINT hitCode);
    void OnPaint();

    COLORREF backColor_;
    BackBuffer buffer_;
    std::vector<Lightweight*> controls_;  // front first
    Press press_;
    // Expires when the surface is destroyed, so that input handling can stop at once when an
    // event's handler has unloaded the window.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace tilu::ui
