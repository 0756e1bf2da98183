#include "ui/layer/accessible_host.h"

#include <oleacc.h>

#include "ui/layer/accessible_object.h"
#include "ui/layer/window.h"

namespace tilu::ui {

AccessibleHost::AccessibleHost(const Window& window, AccessibleSource& source)
    : window_(window), source_(source) {}

AccessibleHost::~AccessibleHost() {
    Disconnect();
}

bool AccessibleHost::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_GETOBJECT) {
        // WM_GETOBJECT (MSDN): compare the id as a DWORD, lParam's sign extension aside; any
        // other id goes to DefWindowProc.
        // Once the window is going, a request (a child's destruction can bring one) gets no
        // object: one made now would outlive the window, connected to nothing it shows.
        if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT) || going_) {
            return false;
        }
        if (!object_) {
            object_ = new AccessibleObject(window_, source_);
        }
        // LresultFromObject adds its own reference.
        result = LresultFromObject(IID_IAccessible, wParam, object_);
        return true;
    }
    if (message == kAccessibleActionMessage) {
        result = 0;
        // Posted while the window was enabled; a modal dialog may have opened since. The element
        // is a copy: its action may destroy the window and the source with it.
        if (TakesActions(window_.Hwnd())) {
            const auto element = ElementWithId(source_, static_cast<LONG>(wParam));
            if (element && element->perform) {
                element->perform();
            }
        }
        return true;
    }
    if (message == WM_NCCREATE) {
        going_ = false;
    } else if (message == WM_DESTROY) {
        // No client reaches what the window shows once it goes; the window handles it too.
        going_ = true;
        Disconnect();
    }
    return false;
}

void AccessibleHost::Disconnect() {
    if (object_) {
        object_->Disconnect();
        object_->Release();
        object_ = nullptr;
    }
}

void AccessibleHost::NameChanged(LONG childId) const {
    if (const HWND hwnd = window_.Hwnd()) {
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hwnd, OBJID_CLIENT, childId);
    }
}

}  // namespace tilu::ui
