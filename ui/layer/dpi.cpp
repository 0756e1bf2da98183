#include "ui/layer/dpi.h"

#include "ui/layer/scale.h"

namespace tilu::ui {

namespace {

// The screen's DC for one scope.
class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() { ReleaseDC(nullptr, dc_); }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;

    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// The one DPI of all screens where the system has no per-monitor DPI.
UINT SystemDpi() {
    const ScreenDc screen;
    const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

template <class Function>
Function Export(HMODULE module, const char* name) {
    // Through the generic function type, which any function pointer converts to and from.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

DpiFunctions DpiFunctions::Lookup() {
    // GetDpiForWindow, AdjustWindowRectExForDpi and GetSystemMetricsForDpi: minimum supported
    // client Windows 10, version 1607 (MSDN). Windows 7 SP1 to 10 version 1511 lack all three;
    // the program then works at the system DPI.
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (!user32) {
        return {};
    }
    const auto dpiForWindow = Export<DpiForWindowFunction>(user32, "GetDpiForWindow");
    const auto adjustForDpi = Export<AdjustForDpiFunction>(user32, "AdjustWindowRectExForDpi");
    const auto metricForDpi = Export<MetricForDpiFunction>(user32, "GetSystemMetricsForDpi");
    // All three or none: a window's DPI and its frame and icons come from the same source.
    if (!dpiForWindow || !adjustForDpi || !metricForDpi) {
        return {};
    }
    return DpiFunctions(dpiForWindow, adjustForDpi, metricForDpi);
}

UINT DpiFunctions::ForWindow(HWND hwnd) const {
    const UINT dpi = dpiForWindow_ ? dpiForWindow_(hwnd) : SystemDpi();
    return dpi == 0 ? kDefaultDpi : dpi;
}

RECT DpiFunctions::FrameAround(RECT client, DWORD style, DWORD exStyle, UINT dpi) const {
    if (adjustForDpi_) {
        adjustForDpi_(&client, style, FALSE, exStyle, dpi);
    } else {
        // The frame at the system DPI: where a window's DPI differs (Windows 8.1 moves it to a
        // screen of another DPI), the system draws its frame unscaled too.
        AdjustWindowRectEx(&client, style, FALSE, exStyle);
    }
    return client;
}

int DpiFunctions::Metric(int index, UINT dpi) const {
    if (metricForDpi_) {
        return metricForDpi_(index, dpi);
    }
    // GetSystemMetrics answers at the system DPI; scaled as GetSystemMetricsForDpi scales.
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

}  // namespace tilu::ui
