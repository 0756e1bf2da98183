// Serves one window to assistive technology: answers WM_GETOBJECT for its client area with the
// object that reads the window's AccessibleSource, and runs the default actions that the object
// posts. When the window goes, the object is cut from it (see AccessibleObject).
#pragma once

#include <windows.h>

#include "ui/layer/accessible.h"

namespace tilu::ui {

class AccessibleObject;
class Window;

class AccessibleHost {
public:
    AccessibleHost(const Window& window, AccessibleSource& source);
    ~AccessibleHost();
    AccessibleHost(const AccessibleHost&) = delete;
    AccessibleHost& operator=(const AccessibleHost&) = delete;

    // WM_GETOBJECT and the posted default actions; false for any other message. A default
    // action may destroy the window: nothing of it is touched afterwards. At WM_DESTROY it cuts
    // the object from the window, and returns false; until the window is created again it serves
    // no object.
    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Tells clients that the name of an element changed, so that a screen reader can say it.
    void NameChanged(LONG childId) const;

private:
    void Disconnect();

    const Window& window_;
    AccessibleSource& source_;
    AccessibleObject* object_ = nullptr;  // one reference, held until Disconnect
    bool going_ = false;                  // from WM_DESTROY to the next window's WM_NCCREATE
};

}  // namespace tilu::ui
