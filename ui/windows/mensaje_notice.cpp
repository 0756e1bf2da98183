#include "ui/windows/mensaje_notice.h"

#include "ui/layer/application.h"
#include "ui/windows/mensaje.h"

namespace tilu::ui {

void MensajeNotice::SetMessageText(const std::wstring& text) {
    TheForm<Mensaje>().TextoMensaje().SetCaption(text);
}

void MensajeNotice::SetButtonCaption(const std::wstring& caption) {
    TheForm<Mensaje>().CommandTilu1().CaptionTilu(caption);
}

void MensajeNotice::Beep() {
    Application::Current().Beep();
}

void MensajeNotice::ShowModal() {
    TheForm<Mensaje>().ShowModal();
}

}  // namespace tilu::ui
