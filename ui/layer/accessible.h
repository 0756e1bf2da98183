// What a window shows to assistive technology (screen readers) through Microsoft Active
// Accessibility: its client area as one element, with the elements on it as children. The
// windowless pieces that a mouse user reads or clicks are described by the window itself; a child
// window among them (list, text box, button control) is served by its own object.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/layer/scale.h"

namespace tilu::ui {

// Names of default actions, as Windows names them in Spanish.
inline constexpr wchar_t kPressAction[] = L"Presionar";
inline constexpr wchar_t kJumpAction[] = L"Saltar";

struct AccessibleElement {
    LONG role = ROLE_SYSTEM_CLIENT;
    std::wstring name{};
    std::wstring description{};
    // The default action: its name and what it runs, as a click on the element would. The
    // element has none when `perform` is empty. It runs from the window's own message loop,
    // never inside a client's call.
    std::wstring action{};
    std::function<void()> perform{};
    // Where it lies, in the surface's twips; none: the whole client area.
    std::optional<TwipsRect> bounds{};
    // A child window with an object of its own; the fields above are then unused.
    HWND window = nullptr;
};

class AccessibleSource {
public:
    // The client area itself. A client area without a name takes the window's title.
    virtual AccessibleElement AccessibleSelf() const { return {}; }
    // The children, in reading order; child id n is the element at n - 1.
    virtual std::vector<AccessibleElement> AccessibleChildren() const { return {}; }

protected:
    ~AccessibleSource() = default;
};

}  // namespace tilu::ui
