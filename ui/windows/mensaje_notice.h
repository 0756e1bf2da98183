// The message dialog as the history commands drive it: the real Mensaje, the application's beep
// and a modal show without owner.
#pragma once

#include <string>

#include "history/message_dialog.h"

namespace tilu::ui {

class MensajeNotice : public MessageDialog {
public:
    // Reaching the dialog's controls loads it from its design first.
    void SetMessageText(const std::wstring& text) override;
    void SetButtonCaption(const std::wstring& caption) override;
    void Beep() override;
    void ShowModal() override;
};

}  // namespace tilu::ui
