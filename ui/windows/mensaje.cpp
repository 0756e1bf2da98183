#include "ui/windows/mensaje.h"

#include "ui/resources/resource_ids.h"
#include "ui/controls/palette.h"
#include "ui/layer/application.h"

namespace tilu::ui {

namespace {

using namespace palette;

FormDesign MensajeDesign() {
    return {.caption = L"Mensaje - studio Tilu",
            .clientWidth = 4155,
            .clientHeight = 1605,
            .backColor = kPaleBlue,
            .font = SansSerifBold()};
}

}  // namespace

MensajeControls::MensajeControls(Mensaje& form)
    : CommandTilu1(form, ChildPlacement{{1260, 1050, 1695, 390}, 1}),
      Image1(form,
             PictureDesign{.bounds = {225, 150, 720, 720},
                           .image = ImageSource{ImageKind::Icon, IDI_QUESTION_MARK, SIZE{48, 48}}}),
      // The message is written in the dialog's own font.
      TextoMensaje(form, LabelDesign{.bounds = {1125, 345, 2775, 435},
                                     .foreColor = kDeepBlue,
                                     .font = form.Design().font}) {
    CommandTilu1.PulsarBotón = [&form] { form.Unload(); };
}

Mensaje::Mensaje(Application& application) : FormOf(application, MensajeDesign()) {}

void Mensaje::Tell(const std::wstring& message) {
    // Reaching the controls loads the dialog from its design first.
    Controls().TextoMensaje.SetCaption(message);
    Controls().CommandTilu1.CaptionTilu(L"Aceptar");
    App().Beep();
    ShowModal();
}

}  // namespace tilu::ui
