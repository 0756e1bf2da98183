#include "ui/layer/form.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "ui/layer/application.h"
#include "ui/layer/resources.h"

namespace tilu::ui {

namespace {

constexpr wchar_t kFormClass[] = L"TiluForm";
// Posted as a modal dialog's loop starts; handled inside that loop.
constexpr UINT kModalLoopStarted = WM_APP + 1;
// Child ids stay clear of IDOK and IDCANCEL, which dialog navigation sends to the form.
constexpr int kFirstChildId = 100;

}  // namespace

Form::Form(Application& application, FormDesign design)
    : Surface(application, design.backColor),
      design_(std::move(design)),
      font_(design_.font),
      nextChildId_(kFirstChildId) {}

Form::~Form() {
    // The window itself goes with the base; the application must not keep a form that is gone.
    if (IsLoaded()) {
        EnableWaitingForms();
        App().FormUnloaded(*this);
    }
}

DWORD Form::Style() const {
    return WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN | (design_.controlBox ? WS_SYSMENU : 0);
}

DWORD Form::ExStyle() const {
    // A dialog frame keeps the system's generic icon out of a title bar that has a close box.
    return design_.controlBox && design_.iconId == 0 ? WS_EX_DLGMODALFRAME : 0;
}

void Form::Load() {
    if (IsLoaded()) {
        return;
    }
    RegisterClassOnce(kFormClass, CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW));
    const bool systemPlaces = design_.placement == Placement::SystemDefault;
    Create(kFormClass, ExStyle(), Style(), systemPlaces ? CW_USEDEFAULT : 0,
           systemPlaces ? CW_USEDEFAULT : 0, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, 0);
    App().FormLoaded(*this);
    SetWindowTextW(Hwnd(), design_.caption.c_str());
    ApplyIcons();
    ApplyGeometry(!systemPlaces);
    CreateControls();
    ApplyLayout();
    OnLoad();
}

void Form::Show() {
    Load();
    ShowWindow(Hwnd(), SW_SHOW);
    Activate();
}

void Form::ShowModal() {
    Load();
    if (modal_) {
        throw std::logic_error("the window is already shown modally");
    }
    Application& application = App();

    // Everything that the dialog changes in the other windows is put back on every way out;
    // on the normal way, the dialog's unload has done it already.
    struct Restore {
        Form& dialog;
        ~Restore() {
            dialog.EndModal();
            dialog.modal_ = false;
        }
    } restore{*this};
    previousActive_ = GetActiveWindow();
    for (const Form* other : application.LoadedForms()) {
        if (other != this && IsWindowEnabled(other->Hwnd())) {
            EnableWindow(other->Hwnd(), FALSE);
            waitingForms_.push_back(other->Hwnd());
        }
    }
    modal_ = true;
    Show();
    PostMessageW(Hwnd(), kModalLoopStarted, 0, 0);
    MSG message{};
    while (IsLoaded()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // The quit belongs to the outer loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) {
            throw std::runtime_error("GetMessageW failed");
        }
        application.Dispatch(message);
    }
}

void Form::Unload() {
    if (IsLoaded()) {
        // EnableWindow (MSDN): a window that disabled the others must enable them before it is
        // destroyed, "otherwise, another window will receive the keyboard focus and be
        // activated", which may be another program's. Even enabled, the system activates the
        // next window in z-order when the active one is destroyed, so the one to come back is
        // activated first, as Windows Forms does for a dialog without owner.
        EndModal();
        Destroy();
    }
}

void Form::EnableWaitingForms() {
    for (const HWND hwnd : std::exchange(waitingForms_, {})) {
        if (IsWindow(hwnd)) {
            EnableWindow(hwnd, TRUE);
        }
    }
}

void Form::EndModal() {
    EnableWaitingForms();
    // SetActiveWindow (MSDN): "activates a window, but not if the application is in the
    // background", so a program the user went to meanwhile keeps the activation.
    const HWND previous = std::exchange(previousActive_, nullptr);
    if (previous && IsWindow(previous) && IsWindowVisible(previous) && IsWindowEnabled(previous) &&
        GetActiveWindow() != previous) {
        SetActiveWindow(previous);
    }
}

int Form::Attach(FormChild& child) {
    children_.push_back(&child);
    return nextChildId_++;
}

void Form::Detach(FormChild& child) {
    std::erase(children_, &child);
    if (children_.empty()) {
        nextChildId_ = kFirstChildId;
    }
}

void Form::ApplyIcons() {
    if (design_.iconId == 0) {
        return;
    }
    const DpiFunctions& dpi = App().Seams().dpi;
    const auto load = [&](int metric) {
        const int size = dpi.Metric(metric, Dpi());
        return LoadIconAt(design_.iconId, SIZE{size, size});
    };
    UniqueIcon bigIcon = load(SM_CXICON);
    UniqueIcon smallIcon = load(SM_CXSMICON);
    SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon.get()));
    SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.get()));
    // The window no longer holds the previous icons.
    bigIcon_ = std::move(bigIcon);
    smallIcon_ = std::move(smallIcon);
}

void Form::ApplyGeometry(bool place) {
    const Scale scale(Dpi());
    const SIZE client{scale.Px(design_.clientWidth), scale.Px(design_.clientHeight)};
    const RECT frame = App().Seams().dpi.FrameAround(RECT{0, 0, client.cx, client.cy}, Style(),
                                                     ExStyle(), scale.Dpi());
    SIZE outer{frame.right - frame.left, frame.bottom - frame.top};
    for (int attempt = 0; attempt < 2; ++attempt) {
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        int x = 0;
        int y = 0;
        if (place) {
            MONITORINFO monitor{};
            monitor.cbSize = sizeof monitor;
            GetMonitorInfoW(MonitorFromWindow(Hwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor);
            const RECT& screen = monitor.rcMonitor;
            x = screen.left + (screen.right - screen.left - outer.cx) / 2;
            y = screen.top + (screen.bottom - screen.top - outer.cy) / 2;
        } else {
            flags |= SWP_NOMOVE;
        }
        SetWindowPos(Hwnd(), nullptr, x, y, outer.cx, outer.cy, flags);
        // The frame that the system draws can differ from the one computed: after a DPI change
        // announced before the system scaled the frame, or at a window DPI other than the
        // system's where USER32 has no ...ForDpi functions. The client area is what must match.
        RECT actual{};
        GetClientRect(Hwnd(), &actual);
        if (actual.right == client.cx && actual.bottom == client.cy) {
            return;
        }
        outer.cx += client.cx - actual.right;
        outer.cy += client.cy - actual.bottom;
    }
}

void Form::ApplyLayout() {
    const Scale scale(Dpi());
    std::vector<FormChild*> ordered = children_;
    std::stable_sort(ordered.begin(), ordered.end(), [](const FormChild* a, const FormChild* b) {
        return a->Placement().tabIndex < b->Placement().tabIndex;
    });
    // The z-order of the children is the tab order.
    HWND after = HWND_TOP;
    for (FormChild* child : ordered) {
        const RECT r = scale.Px(child->Placement().bounds);
        SetWindowPos(child->ChildHwnd(), after, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOACTIVATE);
        if (child->TakesFormFont()) {
            SendMessageW(child->ChildHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
        }
        after = child->ChildHwnd();
    }
}

void Form::FocusFirstControl() {
    FormChild* first = nullptr;
    for (FormChild* child : children_) {
        const HWND hwnd = child->ChildHwnd();
        const bool focusable = (GetWindowLongW(hwnd, GWL_STYLE) & WS_TABSTOP) &&
                               IsWindowVisible(hwnd) && IsWindowEnabled(hwnd);
        if (focusable && (!first || child->Placement().tabIndex < first->Placement().tabIndex)) {
            first = child;
        }
    }
    SetFocus(first ? first->ChildHwnd() : Hwnd());
}

void Form::Activate() {
    SetForegroundWindow(Hwnd());
    if (GetActiveWindow() != Hwnd()) {
        SetActiveWindow(Hwnd());
    }
    const HWND focus = GetFocus();
    if (focus != Hwnd() && !IsChild(Hwnd(), focus)) {
        FocusFirstControl();
    }
}

FormChild* Form::ChildOf(HWND hwnd) const {
    const auto found = std::find_if(children_.begin(), children_.end(),
                                    [hwnd](const FormChild* c) { return c->ChildHwnd() == hwnd; });
    return found == children_.end() ? nullptr : *found;
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (accessible_.Handle(message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
        case WM_SETCURSOR:
            // A child sets its own pointer.
            if (reinterpret_cast<HWND>(wParam) != Hwnd()) {
                return FALSE;
            }
            break;
        case WM_CLOSE:
            // A window disabled under a modal dialog waits for it, also when another program
            // posts the close (task managers and automation tools do); the close box's
            // SC_CLOSE arrives here too.
            if (IsWindowEnabled(Hwnd())) {
                OnCloseBox();
            }
            return 0;
        case WM_COMMAND:
            if (FormChild* child = ChildOf(reinterpret_cast<HWND>(lParam))) {
                child->OnNotify(HIWORD(wParam));
            }
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC:
            if (FormChild* child = ChildOf(reinterpret_cast<HWND>(lParam))) {
                if (const HBRUSH brush = child->OnControlColor(reinterpret_cast<HDC>(wParam))) {
                    return reinterpret_cast<LRESULT>(brush);
                }
            }
            break;
        case WM_ACTIVATE:
            // Like a dialog: the focus leaves with the window and comes back to the same control.
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                lastFocus_ = IsChild(Hwnd(), focus) ? focus : nullptr;
            } else if (lastFocus_ && IsChild(Hwnd(), lastFocus_)) {
                SetFocus(lastFocus_);
            } else {
                FocusFirstControl();
            }
            return 0;
        case WM_DPICHANGED: {
            // The new DPI is in wParam, the same on both axes; lParam points to the suggested
            // window rectangle at that DPI (MSDN). The window takes its place and sizes its
            // client area itself.
            DpiChanged(HIWORD(wParam));
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(Hwnd(), nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            ApplyIcons();
            ApplyGeometry(false);
            ApplyLayout();
            RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            return 0;
        }
        case WM_DESTROY:
            // The accessible object is cut already (AccessibleHost::Handle).
            DestroyControls();
            return 0;
        case kModalLoopStarted:
            if (const auto hook = App().Seams().modalLoopStarted) {
                hook(*this);
            }
            return 0;
        default:
            break;
    }
    return Surface::OnMessage(message, wParam, lParam);
}

void Form::OnDestroyed() {
    bigIcon_.reset();
    smallIcon_.reset();
    lastFocus_ = nullptr;
    App().FormUnloaded(*this);
}

}  // namespace tilu::ui
