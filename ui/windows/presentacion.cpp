#include "ui/windows/presentacion.h"

#include "app/resource_ids.h"
#include "ui/layer/application.h"
#include "ui/windows/form1.h"

namespace tilu::ui {

namespace {

constexpr COLORREF kBackground = 0xFAEDE6;
constexpr COLORREF kGreetingText = 0xC65D21;
constexpr COLORREF kCreditText = 0xDD876D;
constexpr COLORREF kRule = 0x80C0FF;
constexpr SIZE kLogoPixels{56, 56};

FormDesign PresentaciónDesign() {
    FormDesign design;
    design.caption = L"Administrador de historial - Tilu";
    design.clientWidth = 4005;
    design.clientHeight = 1950;
    design.backColor = kBackground;
    design.font = SansSerifBold();
    design.placement = Placement::Centred;
    design.controlBox = true;
    return design;
}

LabelDesign BoldText(TwipsRect bounds, const wchar_t* caption, COLORREF color) {
    LabelDesign design;
    design.bounds = bounds;
    design.caption = caption;
    design.foreColor = color;
    design.font = SansSerifBold();
    return design;
}

PictureDesign LogoDesign() {
    PictureDesign design;
    design.bounds = {240, 240, 840, 840};
    design.image = ImageSource{ImageKind::Icon, IDI_LOGO, kLogoPixels};
    design.stretch = true;
    return design;
}

}  // namespace

PresentaciónControls::PresentaciónControls(Presentación& form)
    : CommandTilu2(form, ChildPlacement{{2160, 1440, 1695, 375}, 3}),
      CommandTilu1(form, ChildPlacement{{120, 1440, 1695, 375}, 2}),
      Image1(form, LogoDesign()),
      Label1(form, BoldText({1320, 240, 2415, 495}, L"Bienvenido al Administrador de historial.",
                            kGreetingText)),
      Label2(form, BoldText({1320, 840, 2415, 255}, L"Por el equipo Tilu", kCreditText)),
      Line1(form, LineDesign{{1320, 720}, {3720, 720}, kRule}) {
    CommandTilu1.PulsarBotón = [&form] { form.Salir(); };
    CommandTilu2.PulsarBotón = [&form] { form.Aceptar(); };
}

Presentación::Presentación() : FormOf(PresentaciónDesign()) {}

void Presentación::OnLoad() {
    Controls().CommandTilu1.CaptionTilu(L"Salir");
    Controls().CommandTilu2.CaptionTilu(L"Aceptar");
}

void Presentación::OnCloseBox() {
    Salir();
}

void Presentación::Salir() {
    // At once: no window's reaction to its closing runs, nothing is written or asked.
    Application::Current().EndProgram();
}

void Presentación::Aceptar() {
    // The main window is shown before this one goes, so a loaded window exists at every moment.
    TheForm<Form1>().Show();
    Unload();
}

}  // namespace tilu::ui
