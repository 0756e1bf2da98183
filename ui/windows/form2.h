// Form2: the modal dialog in which the user changes the text of one history entry. The main
// window's modify command puts the selected entry's text into Text1 and shows the dialog;
// "Cancelar" (or the close box) closes it without any change, "Aceptar" replaces the entry by
// the text as typed and closes it.
#pragma once

#include "ui/controls/command_tilu.h"
#include "ui/layer/form.h"
#include "ui/layer/label.h"
#include "ui/layer/picture.h"
#include "ui/layer/text_box.h"

namespace tilu::ui {

class Form1;
class Form2;

// Front to back.
struct Form2Controls {
    explicit Form2Controls(Form2& form);

    CommandTilu CommandTilu2;  // "Aceptar"
    CommandTilu CommandTilu1;  // "Cancelar"
    TextBox Text1;
    Label Label2;
    Picture Image1;
};

class Form2 : public FormOf<Form2, Form2Controls> {
public:
    // The dialog's accept goes to `main`, the main window that opens it.
    Form2(Application& application, Form1& main);

    // Reaching a control loads the dialog from its design if it is not loaded.
    TextBox& Text1() { return Controls().Text1; }

protected:
    void OnLoad() override;

    // What assistive technology sees: accessible_windows.cpp.
    std::vector<AccessibleElement> AccessibleChildren() const override;

private:
    friend struct Form2Controls;  // wires the buttons to the reactions

    void Accept();

    Form1& main_;
};

}  // namespace tilu::ui
