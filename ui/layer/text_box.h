// The system edit control as a one-line text box on a form: flat one-pixel border, own text
// colour on the system's window colour, no length limit of its own.
#pragma once

#include <windows.h>

#include <string>

#include "ui/layer/form_child.h"
#include "ui/layer/gdi.h"

namespace tilu::ui {

struct TextBoxDesign {
    ChildPlacement placement;
    COLORREF foreColor = RGB(0, 0, 0);
};

class TextBox : public FormChild {
public:
    TextBox(Form& form, const TextBoxDesign& design);

    HWND ChildHwnd() const override { return hwnd_.get(); }

    std::wstring Text() const;
    void SetText(const std::wstring& text);

    HBRUSH OnControlColor(HDC dc) override;

private:
    TextBoxDesign design_;
    UniqueWindow hwnd_;
};

}  // namespace tilu::ui
