#include "ui/layer/window.h"

#include <stdexcept>
#include <utility>

#include "ui/layer/application.h"
#include "ui/layer/scale.h"

namespace tilu::ui {

Window::~Window() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(std::exchange(hwnd_, nullptr));
    }
}

UINT Window::Dpi() const {
    if (!hwnd_) {
        return kDefaultDpi;
    }
    const HWND root = GetAncestor(hwnd_, GA_ROOT);
    if (root && root != hwnd_) {
        if (const Window* top = BoundTo(root)) {
            return top->Dpi();
        }
    }
    return dpi_;
}

const Window* Window::BoundTo(HWND hwnd) {
    const auto procedure = reinterpret_cast<LONG_PTR>(&Window::Procedure);
    if (GetWindowLongPtrW(hwnd, GWLP_WNDPROC) != procedure) {
        return nullptr;
    }
    return reinterpret_cast<const Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void Window::RegisterClassOnce(const wchar_t* className, UINT classStyle, HCURSOR cursor) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, className, &existing)) {
        return;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = &Window::Procedure;
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.lpszClassName = className;
    if (!RegisterClassExW(&wc)) {
        throw std::runtime_error("RegisterClassExW failed");
    }
}

void Window::Create(const wchar_t* className, DWORD exStyle, DWORD style, int x, int y, int width,
                    int height, HWND parent, int childId) {
    const HMENU menu =
        (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(childId)) : nullptr;
    CreateWindowExW(exStyle, className, L"", style, x, y, width, height, parent, menu,
                    GetModuleHandleW(nullptr), this);
    if (!hwnd_) {
        throw std::runtime_error("CreateWindowExW failed");
    }
}

void Window::Destroy() {
    if (hwnd_) {
        DestroyWindow(hwnd_);
    }
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<Window*>(create->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = hwnd;
        self->dpi_ = self->application_.Seams().dpi.ForWindow(hwnd);
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        try {
            self->OnDestroyed();
        } catch (...) {
            self->application_.KeepFailure(std::current_exception());
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    // The handler may destroy this window and the object with it: nothing here touches `self`
    // after the call. The application outlives its windows.
    Application& application = self->application_;
    try {
        return self->OnMessage(message, wParam, lParam);
    } catch (...) {
        application.KeepFailure(std::current_exception());
        return 0;
    }
}

}  // namespace tilu::ui
