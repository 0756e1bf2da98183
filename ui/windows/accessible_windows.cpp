// What assistive technology sees of the four windows: the texts a user reads and the commands a
// user clicks, in reading order, named as on screen. Decoration (bands, lines, pictures) and the
// main window's unseen labels are left out; a command made of several pieces (box, icon and
// text) is one element with the box's place.
#include "ui/layer/accessible.h"
#include "ui/windows/form1.h"
#include "ui/windows/form2.h"
#include "ui/windows/mensaje.h"
#include "ui/windows/presentacion.h"

namespace tilu::ui {

namespace {

AccessibleElement StaticText(const Label& label) {
    return {.role = ROLE_SYSTEM_STATICTEXT, .name = label.Caption(), .bounds = label.Bounds()};
}

AccessibleElement ChildWindow(const FormChild& child) {
    return {.window = child.ChildHwnd()};
}

// Mensaje's message, its first element.
constexpr LONG kMessageText = 1;

}  // namespace

std::vector<AccessibleElement> Presentación::AccessibleChildren() const {
    const PresentaciónControls* c = LoadedControls();
    if (!c) {
        return {};
    }
    return {StaticText(c->Label1), StaticText(c->Label2), ChildWindow(c->CommandTilu1),
            ChildWindow(c->CommandTilu2)};
}

std::vector<AccessibleElement> Form1::AccessibleChildren() const {
    const Form1Controls* c = LoadedControls();
    if (!c) {
        return {};
    }
    // A command's action is a click on its text, which runs what a click anywhere on its box
    // runs. The status line closes the reading order (AnnounceStatusLine).
    const auto clickOn = [](const Label& text) { return [&text] { Raise(text.Click); }; };
    return {{.role = ROLE_SYSTEM_LINK,
             .name = c->Label6.Caption(),
             .description = c->Label5.Caption(),
             .action = kJumpAction,
             .perform = clickOn(c->Label6),
             .bounds = c->Label6.Bounds()},
            ChildWindow(c->List1),
            {.role = ROLE_SYSTEM_PUSHBUTTON,
             .name = c->Label8.Caption(),
             .action = kPressAction,
             .perform = clickOn(c->Label8),
             .bounds = c->Label9.Bounds()},
            {.role = ROLE_SYSTEM_PUSHBUTTON,
             .name = c->Label4.Caption(),
             .action = kPressAction,
             .perform = clickOn(c->Label4),
             .bounds = c->Label7.Bounds()},
            StaticText(c->Label12)};
}

void Form1::AnnounceStatusLine() const {
    AccessibleNameChanged(static_cast<LONG>(AccessibleChildren().size()));
}

std::vector<AccessibleElement> Form2::AccessibleChildren() const {
    const Form2Controls* c = LoadedControls();
    if (!c) {
        return {};
    }
    return {StaticText(c->Label2), ChildWindow(c->Text1), ChildWindow(c->CommandTilu1),
            ChildWindow(c->CommandTilu2)};
}

std::vector<AccessibleElement> Mensaje::AccessibleChildren() const {
    const MensajeControls* c = LoadedControls();
    if (!c) {
        return {};
    }
    return {StaticText(c->TextoMensaje), ChildWindow(c->CommandTilu1)};
}

LRESULT Mensaje::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SHOWWINDOW && wParam) {
        // EVENT_SYSTEM_ALERT (MSDN): "an alert was generated"; message boxes raise it when they
        // are displayed. Raised on the message itself, which a screen reader then reads.
        NotifyWinEvent(EVENT_SYSTEM_ALERT, Hwnd(), OBJID_CLIENT, kMessageText);
    }
    return FormOf::OnMessage(message, wParam, lParam);
}

}  // namespace tilu::ui
