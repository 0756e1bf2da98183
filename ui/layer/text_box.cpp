#include "ui/layer/text_box.h"

#include "ui/layer/form.h"

namespace tilu::ui {

TextBox::TextBox(Form& form, const TextBoxDesign& design)
    : FormChild(form, design.placement),
      design_(design),
      hwnd_(CreateSystemChild(L"EDIT", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL)) {
    // 0 lifts the edit control's default limit to the largest it can hold.
    SendMessageW(hwnd_.get(), EM_SETLIMITTEXT, 0, 0);
}

std::wstring TextBox::Text() const {
    const int length = GetWindowTextLengthW(hwnd_.get());
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd_.get(), text.data(), length + 1);
    text.resize(static_cast<size_t>(copied));
    return text;
}

void TextBox::SetText(const std::wstring& text) {
    SetWindowTextW(hwnd_.get(), text.c_str());
}

HBRUSH TextBox::OnControlColor(HDC dc) {
    SetTextColor(dc, design_.foreColor);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
}

}  // namespace tilu::ui
