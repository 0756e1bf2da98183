// The system list box as a child of a form: single selection, unsorted, flat one-pixel border,
// own text and background colours. Reports each change of its selection.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

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
    // The item's text, up to its first NUL (all a list box keeps); empty text at or past the end.
    std::wstring Text(int index) const;
    // Replaces every item by these texts, in order, and paints the list once afterwards: items
    // added one by one would otherwise redraw the scroll bar for each. Nothing is selected.
    void Fill(const std::vector<std::wstring>& texts);
    // -1 when nothing is selected.
    int SelectedIndex() const;
    void Select(int index);

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
