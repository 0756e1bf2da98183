#include "history/message_dialog.h"

namespace tilu {

namespace {

constexpr wchar_t kNothingSelected[] = L"No has seleccionado ningún elemento.";
constexpr wchar_t kChangedOutside[] = L"El historial ha cambiado fuera del programa.";
constexpr wchar_t kAccept[] = L"Aceptar";

void Report(MessageDialog& dialog, const wchar_t* text) {
    dialog.SetMessageText(text);
    dialog.SetButtonCaption(kAccept);
    dialog.Beep();
    dialog.ShowModal();
}

}  // namespace

void ReportNothingSelected(MessageDialog& dialog) {
    Report(dialog, kNothingSelected);
}

void ReportOutsideChange(MessageDialog& dialog) {
    Report(dialog, kChangedOutside);
}

}  // namespace tilu
