// The floor for the start-up benchmark (scripts/bench-startup): a Win32 program that does the
// least a windowed program can do, one empty top-level window of the welcome window's client
// size at the screen's DPI, and its message loop. Built like the program (static, manifest).
#include <windows.h>

#include "bench/system_dpi.h"

namespace {

constexpr wchar_t kClassName[] = L"TiluBareWindow";
constexpr wchar_t kTitle[] = L"Ventana vacía";
// The welcome window's client area at 96 DPI, so that both programs map the same area.
constexpr int kClientWidth = 267;
constexpr int kClientHeight = 130;

LRESULT CALLBACK BareWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = BareWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassW(&windowClass)) {
        return 1;
    }
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    // The frame as Windows 7 offers it, for the system DPI.
    const UINT dpi = tilu::bench::SystemDpi();
    RECT frame{0, 0, tilu::bench::Px(kClientWidth, dpi), tilu::bench::Px(kClientHeight, dpi)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const HWND hwnd = CreateWindowExW(0, kClassName, kTitle, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                      frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                      nullptr, instance, nullptr);
    if (!hwnd) {
        return 1;
    }
    ShowWindow(hwnd, show);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
