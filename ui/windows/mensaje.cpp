#include "ui/windows/mensaje.h"

#include "app/resource_ids.h"

namespace tilu::ui {

namespace {

constexpr COLORREF kBackground = 0xFAEDE6;
constexpr COLORREF kMessageText = 0xC65D21;
constexpr SIZE kQuestionMarkPixels{48, 48};

FormDesign MensajeDesign() {
    FormDesign design;
    design.caption = L"Mensaje - studio Tilu";
    design.clientWidth = 4155;
    design.clientHeight = 1605;
    design.backColor = kBackground;
    design.font = SansSerifBold();
    design.placement = Placement::Centred;
    design.controlBox = true;
    return design;
}

PictureDesign Image1Design() {
    PictureDesign design;
    design.bounds = {225, 150, 720, 720};
    design.image = ImageSource{ImageKind::Icon, IDI_QUESTION_MARK, kQuestionMarkPixels};
    return design;
}

LabelDesign TextoMensajeDesign(const Mensaje& form) {
    LabelDesign design;
    design.bounds = {1125, 345, 2775, 435};
    design.foreColor = kMessageText;
    design.font = form.Design().font;
    return design;
}

}  // namespace

MensajeControls::MensajeControls(Mensaje& form)
    : CommandTilu1(form, ChildPlacement{{1260, 1050, 1695, 390}, 1}),
      Image1(form, Image1Design()),
      TextoMensaje(form, TextoMensajeDesign(form)) {
    CommandTilu1.PulsarBotón = [&form] { form.Unload(); };
}

Mensaje::Mensaje() : FormOf(MensajeDesign()) {}

}  // namespace tilu::ui
