// The one place that chooses how the window layer learns DPIs and sizes frames: USER32's
// per-monitor DPI functions where the system has them, otherwise what Windows 7 offers in their
// place. The program is built for Windows 7, so the newer functions are looked up at run time.
#pragma once

#include <windows.h>

namespace tilu::ui {

class DpiFunctions {
public:
    // The signatures of GetDpiForWindow, AdjustWindowRectExForDpi and GetSystemMetricsForDpi.
    using DpiForWindowFunction = UINT(WINAPI*)(HWND);
    using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    using MetricForDpiFunction = int(WINAPI*)(int, UINT);

    // The per-monitor functions where USER32 exports them, otherwise the system-DPI ones.
    static DpiFunctions Lookup();
    // The system-DPI functions only, as on Windows 7 to Windows 10 version 1511.
    DpiFunctions() = default;
    // These functions; where one is null, its system-DPI equivalent.
    DpiFunctions(DpiForWindowFunction dpiForWindow, AdjustForDpiFunction adjustForDpi,
                 MetricForDpiFunction metricForDpi)
        : dpiForWindow_(dpiForWindow), adjustForDpi_(adjustForDpi), metricForDpi_(metricForDpi) {}

    // The DPI a new top-level window is shown at.
    UINT ForWindow(HWND hwnd) const;
    // The window rectangle that holds this client rectangle at a DPI.
    RECT FrameAround(RECT client, DWORD style, DWORD exStyle, UINT dpi) const;
    // A system metric (SM_CXICON, ...) at a DPI.
    int Metric(int index, UINT dpi) const;

private:
    DpiForWindowFunction dpiForWindow_ = nullptr;
    AdjustForDpiFunction adjustForDpi_ = nullptr;
    MetricForDpiFunction metricForDpi_ = nullptr;
};

}  // namespace tilu::ui
