#include "history/message_dialog.h"

namespace tilu {

namespace {

constexpr wchar_t kNothingSelected[] = L"No has seleccionado ningún elemento.";
constexpr wchar_t kAccept[] = L"Aceptar";

}  // namespace

void ReportNothingSelected(MessageDialog& dialog) {
    dialog.SetMessageText(kNothingSelected);
    dialog.SetButtonCaption(kAccept);
    dialog.Beep();
    dialog.ShowModal();
}

}  // namespace tilu
