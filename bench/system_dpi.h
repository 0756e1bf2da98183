// The benchmark floors' sizes: the system DPI, as Windows 7 offers it (on one screen, the
// program's too), and lengths given at 96 DPI scaled to it.
#pragma once

#include <windows.h>

namespace tilu::bench {

inline UINT SystemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

inline int Px(int pixels96, UINT dpi) {
    return MulDiv(pixels96, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}

}  // namespace tilu::bench
