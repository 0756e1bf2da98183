#include "ui/windows/form2.h"

#include "app/resource_ids.h"
#include "ui/layer/application.h"
#include "ui/windows/form1.h"

namespace tilu::ui {

namespace {

constexpr COLORREF kBackground = 0xFAEDE6;
constexpr COLORREF kAddressText = 0xC65D21;
constexpr COLORREF kPromptText = 0xCA7B57;
constexpr SIZE kLogoPixels{56, 56};

FormDesign Form2Design() {
    FormDesign design;
    design.caption = L"Modificar Dirección";
    design.clientWidth = 4680;
    design.clientHeight = 1920;
    design.backColor = kBackground;
    design.font = SansSerifRegular();
    // Unlike the other windows, the dialog goes where the system puts a new window.
    design.placement = Placement::SystemDefault;
    design.controlBox = true;
    return design;
}

LabelDesign PromptDesign() {
    LabelDesign design;
    design.bounds = {1275, 240, 3060, 255};
    design.caption = L"Escribe aquí la nueva dirección:";
    design.foreColor = kPromptText;
    design.font = SansSerifBold();
    return design;
}

PictureDesign LogoDesign() {
    PictureDesign design;
    design.bounds = {150, 105, 840, 840};
    design.image = ImageSource{ImageKind::Icon, IDI_LOGO, kLogoPixels};
    design.stretch = true;
    return design;
}

}  // namespace

Form2Controls::Form2Controls(Form2& form)
    : CommandTilu2(form, ChildPlacement{{2475, 1380, 1695, 375}, 2}),
      CommandTilu1(form, ChildPlacement{{480, 1380, 1695, 375}, 1}),
      Text1(form, TextBoxDesign{ChildPlacement{{1275, 555, 3135, 285}, 0}, kAddressText}),
      Label2(form, PromptDesign()),
      Image1(form, LogoDesign()) {
    // The close box unloads the dialog as well, which is the cancel.
    CommandTilu1.PulsarBotón = [&form] { form.Unload(); };
    CommandTilu2.PulsarBotón = [&form] { form.Accept(); };
}

Form2::Form2() : FormOf(Form2Design()) {}

void Form2::OnLoad() {
    Controls().CommandTilu1.Caption(L"Cancelar");
    Controls().CommandTilu2.Caption(L"Aceptar");
}

void Form2::Accept() {
    // The text goes as typed: it may be empty or blank.
    TheForm<Form1>().ReplaceEntry(Text1().Text());
    Unload();
}

}  // namespace tilu::ui
