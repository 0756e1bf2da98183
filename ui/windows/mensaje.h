// Mensaje: the small modal message dialog. It has no text of its own: Tell writes the message
// into TextoMensaje and the button's caption into CommandTilu1, then shows it modally; the button
// (or the close box) unloads it.
#pragma once

#include <string>

#include "ui/controls/command_tilu.h"
#include "ui/layer/form.h"
#include "ui/layer/label.h"
#include "ui/layer/picture.h"

namespace tilu::ui {

class Mensaje;

// Front to back.
struct MensajeControls {
    explicit MensajeControls(Mensaje& form);

    CommandTilu CommandTilu1;
    Picture Image1;
    Label TextoMensaje;
};

class Mensaje : public FormOf<Mensaje, MensajeControls> {
public:
    explicit Mensaje(Application& application);

    // The message with the button "Aceptar", then the beep, then the modal show: returns once
    // the user has closed the dialog.
    void Tell(const std::wstring& message);

protected:
    // What assistive technology sees: accessible_windows.cpp.
    std::vector<AccessibleElement> AccessibleChildren() const override;
    // Opening, it raises an alert, so that a screen reader reads the message.
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace tilu::ui
