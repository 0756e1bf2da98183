#include "ui/windows/form2.h"

#include "ui/controls/palette.h"
#include "ui/windows/form1.h"
#include "ui/windows/shared_designs.h"

namespace tilu::ui {

namespace {

using namespace palette;

FormDesign Form2Design() {
    // Unlike the other windows, the dialog goes where the system puts a new window.
    return {.caption = L"Modificar Dirección",
            .clientWidth = 4680,
            .clientHeight = 1920,
            .backColor = kPaleBlue,
            .placement = Placement::SystemDefault};
}

}  // namespace

Form2Controls::Form2Controls(Form2& form)
    : CommandTilu2(form, ChildPlacement{{2475, 1380, 1695, 375}, 2}),
      CommandTilu1(form, ChildPlacement{{480, 1380, 1695, 375}, 1}),
      Text1(form, TextBoxDesign{ChildPlacement{{1275, 555, 3135, 285}, 0}, kDeepBlue}),
      Label2(form,
             BoldText({1275, 240, 3060, 255}, L"Escribe aquí la nueva dirección:", kSlateBlue)),
      Image1(form, Logo({150, 105, 840, 840})) {
    // The close box unloads the dialog as well, which is the cancel.
    CommandTilu1.PulsarBotón = [&form] { form.Unload(); };
    CommandTilu2.PulsarBotón = [&form] { form.Accept(); };
}

Form2::Form2(Application& application, Form1& main)
    : FormOf(application, Form2Design()), main_(main) {}

void Form2::OnLoad() {
    Controls().CommandTilu1.Caption(L"Cancelar");
    Controls().CommandTilu2.Caption(L"Aceptar");
}

void Form2::Accept() {
    // The text goes as typed: it may be empty or blank. Only to the main window that opened
    // the dialog: reaching an unloaded one would load it afresh, with nothing selected.
    if (main_.IsLoaded()) {
        main_.ReplaceEntry(Text1().Text());
    }
    Unload();
}

}  // namespace tilu::ui
