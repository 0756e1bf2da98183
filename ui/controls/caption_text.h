// The text form of any value written to a caption: text as it is, numbers in decimal with the
// user's decimal separator.
#pragma once

#include <concepts>
#include <string>
#include <string_view>

namespace tilu::ui {

inline std::wstring CaptionText(std::wstring_view text) {
    return std::wstring(text);
}
inline std::wstring CaptionText(const wchar_t* text) {
    return text ? text : L"";
}

template <std::integral T>
requires(!std::same_as<T, bool> && !std::same_as<T, wchar_t>) std::wstring CaptionText(T number) {
    return std::to_wstring(number);
}

// The shortest text that reads back as the same number.
std::wstring CaptionText(double number);

}  // namespace tilu::ui
