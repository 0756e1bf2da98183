// A real child window on a form (list box, text box, button control): placed in twips, in the
// form's tab order by its tab index, and told of the notifications the form receives for it.
#pragma once

#include <windows.h>

#include "ui/layer/gdi.h"
#include "ui/layer/scale.h"

namespace tilu::ui {

class Form;

struct ChildPlacement {
    TwipsRect bounds;
    int tabIndex = 0;
};

class FormChild {
public:
    FormChild(const FormChild&) = delete;
    FormChild& operator=(const FormChild&) = delete;
    virtual ~FormChild();

    virtual HWND ChildHwnd() const = 0;
    const ChildPlacement& Placement() const { return placement_; }

    // A WM_COMMAND notification code sent by this child.
    virtual void OnNotify(WORD) {}
    // WM_CTLCOLOR*: sets the DC's colours and returns the background brush, or null for the
    // system's colours.
    virtual HBRUSH OnControlColor(HDC) { return nullptr; }
    // Whether the form gives the child its own font (the button control draws with its own).
    virtual bool TakesFormFont() const { return true; }

protected:
    FormChild(Form& form, ChildPlacement placement);

    Form& ParentForm() const { return form_; }
    // The id the child window is created with, unique on its form.
    int ChildId() const { return childId_; }
    // Creates the child's window of a system class (list box, edit) on the form, with the child's
    // id; throws when the system refuses.
    UniqueWindow CreateSystemChild(const wchar_t* className, DWORD style) const;

private:
    Form& form_;
    ChildPlacement placement_;
    int childId_;
};

}  // namespace tilu::ui
