// Artwork and pointers loaded from the program's own resources. A missing resource is not an
// error: the picture draws nothing and the control keeps the default pointer.
#pragma once

#include <windows.h>

#include "ui/layer/gdi.h"

namespace tilu::ui {

// A shared pointer resource (owned by the system), or null when the module lacks it.
HCURSOR LoadPointer(int resourceId);
// An icon resource at this size, the system picking the closest of its images; null when the
// module lacks it.
UniqueIcon LoadIconAt(int resourceId, SIZE size);

enum class ImageKind { Icon, Bitmap };

// A picture resource and its own size in pixels, as drawn at 96 DPI.
struct ImageSource {
    ImageKind kind = ImageKind::Icon;
    int resourceId = 0;
    SIZE ownSize{};
};

// Draws one picture resource into any rectangle, loading it at the size it is drawn.
class ScaledImage {
public:
    explicit ScaledImage(ImageSource source) : source_(source) {}

    void Draw(HDC dc, const RECT& target) const;

private:
    void DrawIcon(HDC dc, const RECT& target) const;
    void DrawBitmap(HDC dc, const RECT& target) const;

    ImageSource source_;
    mutable SIZE iconSize_{};
    mutable UniqueIcon icon_;
    mutable UniqueBitmap bitmap_;
};

}  // namespace tilu::ui
