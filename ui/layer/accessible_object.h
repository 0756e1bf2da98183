// The IAccessible object of one window's client area. It reads the window's AccessibleSource at
// each call and holds only a link to it that the window cuts when it goes (Disconnect): from then
// on every call answers CO_E_OBJNOTCONNECTED, however long a client keeps the object.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include "ui/layer/accessible.h"

namespace tilu::ui {

class Window;

// Posted to the window by a default action; wParam is the child id. The action runs when the
// window's loop takes it, never inside the client's call: commands open modal dialogs.
inline constexpr UINT kAccessibleActionMessage = WM_APP + 0x0A11;

// Whether a window takes clicks, and so default actions: under a modal dialog its top-level
// window is disabled, and with it everything on it.
bool TakesActions(HWND hwnd);

// The element with this child id (CHILDID_SELF: the client area), or none.
std::optional<AccessibleElement> ElementWithId(const AccessibleSource& source, LONG id);

class AccessibleObject final : public IAccessible {
public:
    // Created with one reference, which the caller owns.
    AccessibleObject(const Window& window, AccessibleSource& source);

    void Disconnect() {
        window_ = nullptr;
        source_ = nullptr;
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: no type information; clients call IAccessible directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override;

private:
    ~AccessibleObject() = default;

    struct Target;
    bool Connected() const { return source_ && Hwnd(); }
    // The element a VARIANT names; fails for a dead object or an unknown id.
    HRESULT Find(const VARIANT& child, Target& target) const;
    // What Find fails with, or else `local`'s answer from the element.
    template <class Local>
    HRESULT Answer(const VARIANT& child, Local local) const;
    // The same, but a child window's own object answers for it: `method` called on it about
    // itself, with `args`.
    template <class Local, class Method, class... Args>
    HRESULT AnswerOrForward(const VARIANT& child, Local local, Method method, Args... args) const;
    HWND Hwnd() const;
    RECT ScreenBounds(const AccessibleElement& element) const;
    LONG StateOf(const Target& target) const;
    // The default action of an element of this window, posted to the window.
    HRESULT PostAction(const Target& target) const;

    LONG references_ = 1;
    const Window* window_;
    AccessibleSource* source_;
};

}  // namespace tilu::ui
