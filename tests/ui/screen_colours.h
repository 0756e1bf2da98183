// The program's colours as the screen shows them, spelled here apart from the program's own
// palette so that a wrong colour there shows up in the tests.
#pragma once

#include <windows.h>

namespace tilu::ui::testing {

inline constexpr COLORREF kPaleBlue = RGB(230, 237, 250);
inline constexpr COLORREF kDeepBlue = RGB(33, 93, 198);
inline constexpr COLORREF kMidBlue = RGB(109, 135, 221);
inline constexpr COLORREF kSlateBlue = RGB(87, 123, 202);
inline constexpr COLORREF kOrange = RGB(255, 192, 128);
inline constexpr COLORREF kWhite = RGB(255, 255, 255);

}  // namespace tilu::ui::testing
