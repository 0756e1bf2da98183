#include "ui/layer/accessible_object.h"

#include <wrl/client.h>

#include <utility>
#include <vector>

#include "ui/layer/window.h"

namespace tilu::ui {

using Microsoft::WRL::ComPtr;

namespace {

// The object of a child window's client area. AccessibleObjectFromWindow rather than the child's
// window object: that one names nothing itself, a client would have to go one level deeper.
ComPtr<IAccessible> ChildObject(HWND child) {
    ComPtr<IAccessible> object;
    if (FAILED(AccessibleObjectFromWindow(child, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(object.GetAddressOf())))) {
        return nullptr;
    }
    return object;
}

VARIANT ChildIdVariant(LONG id) {
    VARIANT v{};
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

VARIANT Self() {
    return ChildIdVariant(CHILDID_SELF);
}

// COM's rule, which Wine's own oleacc client keeps too: an out-parameter is defined on every
// return, failures included, so that a caller never frees or reads garbage. Empty is nullptr,
// 0, or VT_EMPTY (whose value is 0). False for a null pointer.
template <class T>
bool Reset(T* out) {
    if (!out) {
        return false;
    }
    *out = T{};
    return true;
}

// A text for the client, or S_FALSE with none when it is empty; `out` is reset.
HRESULT Text(const std::wstring& text, BSTR* out) {
    if (text.empty()) {
        return S_FALSE;
    }
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

// The question goes to the child window's own object, asked about itself.
template <class Method, class... Args>
HRESULT Forward(HWND child, Method method, Args... args) {
    const ComPtr<IAccessible> object = ChildObject(child);
    return object ? (object.Get()->*method)(Self(), args...) : E_FAIL;
}

// A child window's object as a client takes it: the IDispatch in a VARIANT, typed only once the
// value is in place; `out` is reset.
HRESULT DispatchOf(HWND child, VARIANT* out) {
    const ComPtr<IAccessible> object = ChildObject(child);
    IDispatch* dispatch = nullptr;
    if (!object || FAILED(object.CopyTo(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
        return E_FAIL;
    }
    out->pdispVal = dispatch;
    out->vt = VT_DISPATCH;
    return S_OK;
}

}  // namespace

bool TakesActions(HWND hwnd) {
    return IsWindowEnabled(hwnd) && IsWindowEnabled(GetAncestor(hwnd, GA_ROOT));
}

std::optional<AccessibleElement> ElementWithId(const AccessibleSource& source, LONG id) {
    if (id == CHILDID_SELF) {
        return source.AccessibleSelf();
    }
    std::vector<AccessibleElement> children = source.AccessibleChildren();
    if (id < 1 || static_cast<size_t>(id) > children.size()) {
        return std::nullopt;
    }
    return std::move(children[static_cast<size_t>(id) - 1]);
}

struct AccessibleObject::Target {
    LONG id = CHILDID_SELF;
    AccessibleElement element;
};

AccessibleObject::AccessibleObject(const Window& window, AccessibleSource& source)
    : window_(&window), source_(&source) {}

HRESULT AccessibleObject::QueryInterface(REFIID iid, void** object) {
    if (!object) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG AccessibleObject::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG AccessibleObject::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT AccessibleObject::GetTypeInfoCount(UINT* count) {
    if (!count) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT AccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    Reset(info);
    return E_NOTIMPL;
}

HRESULT AccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT AccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                                 EXCEPINFO*, UINT*) {
    Reset(result);
    return E_NOTIMPL;
}

HWND AccessibleObject::Hwnd() const {
    return window_ ? window_->Hwnd() : nullptr;
}

HRESULT AccessibleObject::Find(const VARIANT& child, Target& target) const {
    if (!Connected()) {
        return CO_E_OBJNOTCONNECTED;
    }
    if (child.vt != VT_I4) {
        return E_INVALIDARG;
    }
    std::optional<AccessibleElement> element = ElementWithId(*source_, child.lVal);
    if (!element) {
        return E_INVALIDARG;
    }
    target.id = child.lVal;
    target.element = std::move(*element);
    if (target.id == CHILDID_SELF && target.element.name.empty() &&
        target.element.role == ROLE_SYSTEM_CLIENT) {
        const int length = GetWindowTextLengthW(Hwnd());
        std::wstring title(static_cast<size_t>(length) + 1, L'\0');
        title.resize(static_cast<size_t>(GetWindowTextW(Hwnd(), title.data(), length + 1)));
        target.element.name = title;
    }
    return S_OK;
}

template <class Local>
HRESULT AccessibleObject::Answer(const VARIANT& child, Local local) const {
    Target target;
    if (const HRESULT found = Find(child, target); FAILED(found)) {
        return found;
    }
    return local(target);
}

template <class Local, class Method, class... Args>
HRESULT AccessibleObject::AnswerOrForward(const VARIANT& child, Local local, Method method,
                                          Args... args) const {
    return Answer(child, [&](const Target& target) {
        return target.element.window ? Forward(target.element.window, method, args...)
                                     : local(target);
    });
}

RECT AccessibleObject::ScreenBounds(const AccessibleElement& element) const {
    RECT r{};
    if (element.window) {
        GetWindowRect(element.window, &r);
        return r;
    }
    if (element.bounds) {
        r = Scale(window_->Dpi()).Px(*element.bounds);
    } else {
        GetClientRect(Hwnd(), &r);
    }
    MapWindowPoints(Hwnd(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LONG AccessibleObject::StateOf(const Target& target) const {
    LONG state = 0;
    switch (target.element.role) {
        case ROLE_SYSTEM_STATICTEXT:
            state |= STATE_SYSTEM_READONLY;
            break;
        case ROLE_SYSTEM_LINK:
            state |= STATE_SYSTEM_LINKED;
            break;
        default:
            break;
    }
    if (!IsWindowVisible(Hwnd())) {
        state |= STATE_SYSTEM_INVISIBLE;
    }
    if (target.element.perform && !TakesActions(Hwnd())) {
        state |= STATE_SYSTEM_UNAVAILABLE;
    }
    if (target.id == CHILDID_SELF) {
        if (GetWindowLongW(Hwnd(), GWL_STYLE) & WS_TABSTOP) {
            state |= STATE_SYSTEM_FOCUSABLE;
        }
        if (GetFocus() == Hwnd()) {
            state |= STATE_SYSTEM_FOCUSED;
        }
    }
    return state;
}

HRESULT AccessibleObject::get_accParent(IDispatch** parent) {
    if (!Reset(parent)) {
        return E_POINTER;
    }
    if (!Hwnd()) {
        return CO_E_OBJNOTCONNECTED;
    }
    // The parent of a client area is its window's object (MSAA's standard hierarchy).
    return AccessibleObjectFromWindow(Hwnd(), static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                      reinterpret_cast<void**>(parent));
}

HRESULT AccessibleObject::get_accChildCount(long* count) {
    if (!Reset(count)) {
        return E_POINTER;
    }
    if (!Connected()) {
        return CO_E_OBJNOTCONNECTED;
    }
    *count = static_cast<long>(source_->AccessibleChildren().size());
    return S_OK;
}

HRESULT AccessibleObject::get_accChild(VARIANT child, IDispatch** object) {
    if (!Reset(object)) {
        return E_POINTER;
    }
    Target target;
    if (const HRESULT found = Find(child, target); FAILED(found)) {
        return found;
    }
    if (target.id == CHILDID_SELF || !target.element.window) {
        // get_accChild (MSDN): S_FALSE for a simple element, which the parent answers for.
        return S_FALSE;
    }
    const ComPtr<IAccessible> childObject = ChildObject(target.element.window);
    return childObject ? childObject.CopyTo(IID_IDispatch, reinterpret_cast<void**>(object))
                       : E_FAIL;
}

HRESULT AccessibleObject::get_accName(VARIANT child, BSTR* name) {
    if (!Reset(name)) {
        return E_POINTER;
    }
    return AnswerOrForward(
        child, [name](const Target& t) { return Text(t.element.name, name); },
        &IAccessible::get_accName, name);
}

HRESULT AccessibleObject::get_accValue(VARIANT child, BSTR* value) {
    if (!Reset(value)) {
        return E_POINTER;
    }
    return AnswerOrForward(
        child, [value](const Target&) { return Text(L"", value); }, &IAccessible::get_accValue,
        value);
}

HRESULT AccessibleObject::get_accDescription(VARIANT child, BSTR* description) {
    if (!Reset(description)) {
        return E_POINTER;
    }
    return AnswerOrForward(
        child, [description](const Target& t) { return Text(t.element.description, description); },
        &IAccessible::get_accDescription, description);
}

HRESULT AccessibleObject::get_accRole(VARIANT child, VARIANT* role) {
    if (!Reset(role)) {
        return E_POINTER;
    }
    return AnswerOrForward(
        child,
        [role](const Target& t) {
            *role = ChildIdVariant(t.element.role);
            return S_OK;
        },
        &IAccessible::get_accRole, role);
}

HRESULT AccessibleObject::get_accState(VARIANT child, VARIANT* state) {
    if (!Reset(state)) {
        return E_POINTER;
    }
    return AnswerOrForward(
        child,
        [this, state](const Target& t) {
            *state = ChildIdVariant(StateOf(t));
            return S_OK;
        },
        &IAccessible::get_accState, state);
}

HRESULT AccessibleObject::get_accHelp(VARIANT child, BSTR* help) {
    if (!Reset(help)) {
        return E_POINTER;
    }
    return Answer(child, [help](const Target&) { return Text(L"", help); });
}

HRESULT AccessibleObject::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
    Reset(file);
    Reset(topic);
    return Connected() ? S_FALSE : CO_E_OBJNOTCONNECTED;
}

HRESULT AccessibleObject::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    // The program has no keyboard shortcuts.
    if (!Reset(shortcut)) {
        return E_POINTER;
    }
    return Answer(child, [shortcut](const Target&) { return Text(L"", shortcut); });
}

HRESULT AccessibleObject::get_accFocus(VARIANT* focus) {
    if (!Reset(focus)) {
        return E_POINTER;
    }
    if (!Connected()) {
        return CO_E_OBJNOTCONNECTED;
    }
    const HWND focused = GetFocus();
    if (focused == Hwnd()) {
        *focus = Self();
        return S_OK;
    }
    return focused && IsChild(Hwnd(), focused) ? DispatchOf(focused, focus) : S_FALSE;
}

HRESULT AccessibleObject::get_accSelection(VARIANT* selection) {
    if (!Reset(selection)) {
        return E_POINTER;
    }
    return Connected() ? S_FALSE : CO_E_OBJNOTCONNECTED;
}

HRESULT AccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (!Reset(action)) {
        return E_POINTER;
    }
    return AnswerOrForward(
        child, [action](const Target& t) { return Text(t.element.action, action); },
        &IAccessible::get_accDefaultAction, action);
}

HRESULT AccessibleObject::accSelect(long, VARIANT child) {
    // Nothing here takes the focus or a selection that a mouse user could not give it.
    return Answer(child, [](const Target&) { return DISP_E_MEMBERNOTFOUND; });
}

HRESULT AccessibleObject::accLocation(long* left, long* top, long* width, long* height,
                                      VARIANT child) {
    // Every one reset, whichever is null.
    if (!(Reset(left) & Reset(top) & Reset(width) & Reset(height))) {
        return E_POINTER;
    }
    return Answer(child, [&](const Target& t) {
        const RECT r = ScreenBounds(t.element);
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    });
}

HRESULT AccessibleObject::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (!Reset(end)) {
        return E_POINTER;
    }
    Target target;
    if (const HRESULT found = Find(start, target); FAILED(found)) {
        return found;
    }
    const long count = static_cast<long>(source_->AccessibleChildren().size());
    long next = 0;
    switch (direction) {
        case NAVDIR_FIRSTCHILD:
            next = target.id == CHILDID_SELF ? 1 : 0;
            break;
        case NAVDIR_LASTCHILD:
            next = target.id == CHILDID_SELF ? count : 0;
            break;
        case NAVDIR_NEXT:
            next = target.id == CHILDID_SELF ? 0 : target.id + 1;
            break;
        case NAVDIR_PREVIOUS:
            next = target.id == CHILDID_SELF ? 0 : target.id - 1;
            break;
        default:
            return DISP_E_MEMBERNOTFOUND;
    }
    if (next < 1 || next > count) {
        return S_FALSE;
    }
    Target found;
    Find(ChildIdVariant(next), found);
    if (found.element.window) {
        return DispatchOf(found.element.window, end);
    }
    *end = ChildIdVariant(next);
    return S_OK;
}

HRESULT AccessibleObject::accHitTest(long x, long y, VARIANT* child) {
    if (!Reset(child)) {
        return E_POINTER;
    }
    if (!Connected()) {
        return CO_E_OBJNOTCONNECTED;
    }
    const POINT point{x, y};
    const std::vector<AccessibleElement> children = source_->AccessibleChildren();
    for (size_t i = 0; i < children.size(); ++i) {
        const RECT r = ScreenBounds(children[i]);
        if (!PtInRect(&r, point)) {
            continue;
        }
        // accHitTest (MSDN): a child that is an object is returned as its IDispatch.
        if (children[i].window) {
            return DispatchOf(children[i].window, child);
        }
        *child = ChildIdVariant(static_cast<LONG>(i + 1));
        return S_OK;
    }
    // An element with no place of its own has the whole client area's.
    const RECT self = ScreenBounds({});
    if (PtInRect(&self, point)) {
        *child = Self();
        return S_OK;
    }
    return S_FALSE;
}

HRESULT AccessibleObject::accDoDefaultAction(VARIANT child) {
    return AnswerOrForward(
        child, [this](const Target& t) { return PostAction(t); }, &IAccessible::accDoDefaultAction);
}

HRESULT AccessibleObject::PostAction(const Target& target) const {
    if (!target.element.perform) {
        return DISP_E_MEMBERNOTFOUND;
    }
    if (!TakesActions(Hwnd())) {
        // Under a modal dialog: the window takes no clicks, and no action either.
        return E_ACCESSDENIED;
    }
    // Later, from the window's own loop: the action may open a modal dialog, and the client's
    // call must not wait for it to close.
    if (!PostMessageW(Hwnd(), kAccessibleActionMessage, static_cast<WPARAM>(target.id), 0)) {
        return HRESULT_FROM_WIN32(GetLastError());
    }
    return S_OK;
}

HRESULT AccessibleObject::put_accName(VARIANT, BSTR) {
    return E_NOTIMPL;
}

HRESULT AccessibleObject::put_accValue(VARIANT, BSTR) {
    return E_NOTIMPL;
}

}  // namespace tilu::ui
