// An off-screen bitmap that a window paints into before copying the result to the screen, kept
// from one paint to the next so that a small repaint does not pay for a new bitmap.
#pragma once

#include <windows.h>

#include "ui/layer/gdi.h"

namespace tilu::ui {

class BackBuffer {
public:
    // A memory DC at least `size` large, compatible with `target`; its contents are undefined.
    HDC Prepare(HDC target, SIZE size);

private:
    // Declared before the DC, so that the DC, which holds the bitmap, is deleted first.
    UniqueBitmap bitmap_;
    UniqueMemoryDc dc_;
    SIZE size_{};
};

}  // namespace tilu::ui
