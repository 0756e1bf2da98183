#include "ui/windows/shared_designs.h"

#include <utility>

#include "ui/resources/resource_ids.h"

namespace tilu::ui {

PictureDesign Logo(TwipsRect bounds) {
    return {.bounds = bounds,
            .image = ImageSource{ImageKind::Icon, IDI_LOGO, SIZE{56, 56}},
            .stretch = true};
}

LabelDesign BoldText(TwipsRect bounds, std::wstring caption, COLORREF color, HCURSOR pointer) {
    return {.bounds = bounds,
            .caption = std::move(caption),
            .foreColor = color,
            .font = SansSerifBold(),
            .pointer = pointer};
}

}  // namespace tilu::ui
