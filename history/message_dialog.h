// The message dialog as the history commands drive it, one call per step so that the order of
// the steps stays the caller's.
#pragma once

#include <string>

namespace tilu {

class MessageDialog {
public:
    virtual ~MessageDialog() = default;

    virtual void SetMessageText(const std::wstring& text) = 0;
    virtual void SetButtonCaption(const std::wstring& caption) = 0;
    // The platform's default beep.
    virtual void Beep() = 0;
    // Returns when the user has closed the dialog.
    virtual void ShowModal() = 0;
};

// Tells the user that a command needs a selected entry: text, caption, beep, then the modal
// dialog. Used by the delete command and by the main window's modify command.
void ReportNothingSelected(MessageDialog& dialog);
// Tells the user, the same way, that another program changed the history since the list was
// filled, so the command changed nothing.
void ReportOutsideChange(MessageDialog& dialog);

}  // namespace tilu
