// Presentación: the welcome window the program starts with, a greeting, the logo and two
// buttons. "Salir" ends the program at once; "Aceptar" opens the main window and closes this
// one. The history is not read until the main window loads.
#pragma once

#include "ui/controls/command_tilu.h"
#include "ui/layer/form.h"
#include "ui/layer/label.h"
#include "ui/layer/line.h"
#include "ui/layer/picture.h"

namespace tilu::ui {

class Form1;
class Presentación;

// Front to back.
struct PresentaciónControls {
    explicit PresentaciónControls(Presentación& form);

    CommandTilu CommandTilu2;  // "Aceptar"
    CommandTilu CommandTilu1;  // "Salir"
    Picture Image1;
    Label Label1;
    Label Label2;
    Line Line1;
};

class Presentación : public FormOf<Presentación, PresentaciónControls> {
public:
    // `main`: the main window that "Aceptar" opens.
    Presentación(Application& application, Form1& main);

protected:
    void OnLoad() override;

    // What assistive technology sees: accessible_windows.cpp.
    std::vector<AccessibleElement> AccessibleChildren() const override;
    // Closing the welcome window is leaving the program, as "Salir" is.
    void OnCloseBox() override;

private:
    friend struct PresentaciónControls;  // wires the buttons to the reactions

    void Salir();
    void Aceptar();

    Form1& main_;
};

}  // namespace tilu::ui
