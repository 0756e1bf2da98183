// Pieces of design that several of the program's windows use.
#pragma once

#include <string>

#include "ui/layer/label.h"
#include "ui/layer/picture.h"

namespace tilu::ui {

// The program's logo, stretched to its box.
PictureDesign Logo(TwipsRect bounds);

// A transparent label in the bold font.
LabelDesign BoldText(TwipsRect bounds, std::wstring caption, COLORREF color,
                     HCURSOR pointer = nullptr);

}  // namespace tilu::ui
