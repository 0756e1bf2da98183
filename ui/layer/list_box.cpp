#include "ui/layer/list_box.h"

#include "ui/layer/form.h"

namespace tilu::ui {

ListBox::ListBox(Form& form, const ListBoxDesign& design)
    : FormChild(form, design.placement),
      design_(design),
      background_(CreateSolidBrush(design.backColor)),
      // The list keeps its design height exactly, not shrunk to whole items.
      hwnd_(CreateSystemChild(
          L"LISTBOX", WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT)) {}

int ListBox::Count() const {
    return static_cast<int>(SendMessageW(hwnd_.get(), LB_GETCOUNT, 0, 0));
}

std::wstring ListBox::Text(int index) const {
    if (index < 0 || index >= Count()) {
        return {};
    }
    const auto length = SendMessageW(hwnd_.get(), LB_GETTEXTLEN, index, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const auto copied =
        SendMessageW(hwnd_.get(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void ListBox::Fill(const std::vector<std::wstring>& texts) {
    const HWND list = hwnd_.get();
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& text : texts) {
        SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    // WM_SETREDRAW: RedrawWindow with these flags rather than InvalidateRect, so that the
    // border and scroll bar are repainted too (MSDN).
    RedrawWindow(list, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

int ListBox::SelectedIndex() const {
    return static_cast<int>(SendMessageW(hwnd_.get(), LB_GETCURSEL, 0, 0));
}

void ListBox::Select(int index) {
    SendMessageW(hwnd_.get(), LB_SETCURSEL, index, 0);
}

void ListBox::OnNotify(WORD code) {
    if (code == LBN_SELCHANGE) {
        Raise(SelectionChanged);
    }
}

HBRUSH ListBox::OnControlColor(HDC dc) {
    SetTextColor(dc, design_.foreColor);
    SetBkColor(dc, design_.backColor);
    return background_.get();
}

}  // namespace tilu::ui
