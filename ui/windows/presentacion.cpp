#include "ui/windows/presentacion.h"

#include "ui/controls/palette.h"
#include "ui/layer/application.h"
#include "ui/windows/form1.h"
#include "ui/windows/shared_designs.h"

namespace tilu::ui {

namespace {

using namespace palette;

FormDesign PresentaciónDesign() {
    return {.caption = L"Administrador de historial - Tilu",
            .clientWidth = 4005,
            .clientHeight = 1950,
            .backColor = kPaleBlue,
            .font = SansSerifBold()};
}

}  // namespace

PresentaciónControls::PresentaciónControls(Presentación& form)
    : CommandTilu2(form, ChildPlacement{{2160, 1440, 1695, 375}, 3}),
      CommandTilu1(form, ChildPlacement{{120, 1440, 1695, 375}, 2}),
      Image1(form, Logo({240, 240, 840, 840})),
      Label1(form, BoldText({1320, 240, 2415, 495}, L"Bienvenido al Administrador de historial.",
                            kDeepBlue)),
      Label2(form, BoldText({1320, 840, 2415, 255}, L"Por el equipo Tilu", kMidBlue)),
      Line1(form, LineDesign{{1320, 720}, {3720, 720}, kOrange}) {
    CommandTilu1.PulsarBotón = [&form] { form.Salir(); };
    CommandTilu2.PulsarBotón = [&form] { form.Aceptar(); };
}

Presentación::Presentación(Application& application, Form1& main)
    : FormOf(application, PresentaciónDesign()), main_(main) {}

void Presentación::OnLoad() {
    Controls().CommandTilu1.CaptionTilu(L"Salir");
    Controls().CommandTilu2.CaptionTilu(L"Aceptar");
}

void Presentación::OnCloseBox() {
    Salir();
}

void Presentación::Salir() {
    // At once: no window's reaction to its closing runs, nothing is written or asked.
    App().EndProgram();
}

void Presentación::Aceptar() {
    // The main window is shown before this one goes, so a loaded window exists at every moment.
    main_.Show();
    Unload();
}

}  // namespace tilu::ui
