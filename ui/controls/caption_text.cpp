#include "ui/controls/caption_text.h"

#include <windows.h>

#include <charconv>

namespace tilu::ui {

std::wstring CaptionText(double number) {
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    wchar_t separator[4] = L".";
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4);
    std::wstring text;
    for (const char* c = digits; c != end; ++c) {
        if (*c == '.') {
            text += separator;
        } else {
            text += static_cast<wchar_t>(*c);
        }
    }
    return text;
}

}  // namespace tilu::ui
