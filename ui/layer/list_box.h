// The system list box as a child of a form: single selection, unsorted, flat one-pixel border,
// own text and background colours. Reports each change of its selection.
#pragma once

#include <windows.h>

#include <string>

#include "ui/layer/form_child.h"
#include "ui/layer/gdi.h"
#include "ui/layer/lightweight.h"

namespace tilu::ui {

struct ListBoxDesign {
    ChildPlacement placement;
    COLORREF foreColor = RGB(0, 0, 0);
    COLORREF backColor = RGB(255, 255, 255);
};

class ListBox : public FormChild {
public:
    ListBox(Form& form, const ListBoxDesign& design);

    HWND ChildHwnd() const override { return hwnd_.get(); }

    int Count() const;
    // The item's text; empty text at or past the end.
    std::wstring Text(int index) const;
    void Append(const std::wstring& text);
    void RemoveAt(int index);
    // Replaces the item's text in place, keeping the selection.
    void SetText(int index, const std::wstring& text);
    void Clear();
    // -1 when nothing is selected.
    int SelectedIndex() const;
    std::wstring SelectedText() const;
    void Select(int index);

    // While one exists, changes to the list are not drawn; when it ends, the list is painted
    // once. Many items added one by one otherwise redraw the scroll bar for each.
    class RedrawPause {
    public:
        explicit RedrawPause(const ListBox& list);
        RedrawPause(const RedrawPause&) = delete;
        RedrawPause& operator=(const RedrawPause&) = delete;
        ~RedrawPause();

    private:
        HWND hwnd_;
    };

    // A click on an item or the arrow keys changed the selection.
    EventHandler SelectionChanged;

    void OnNotify(WORD code) override;
    HBRUSH OnControlColor(HDC dc) override;

private:
    ListBoxDesign design_;
    UniqueBrush background_;
    UniqueWindow hwnd_;
};

}  // namespace tilu::ui
