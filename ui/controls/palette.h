// The program's colours (COLORREF: 0x00BBGGRR), shared by its button control and its windows.
#pragma once

#include <windows.h>

namespace tilu::ui::palette {

inline constexpr COLORREF kPaleBlue = 0xFAEDE6;   // dialog backgrounds, the list, bands, boxes
inline constexpr COLORREF kDeepBlue = 0xC65D21;   // commands, the list's text, messages
inline constexpr COLORREF kMidBlue = 0xDD876D;    // the main window's background, credits
inline constexpr COLORREF kSlateBlue = 0xCA7B57;  // status line, credit line, the edit prompt
inline constexpr COLORREF kOrange = 0x80C0FF;     // rules, the refresh link
inline constexpr COLORREF kWhite = 0xFFFFFF;

}  // namespace tilu::ui::palette
