// Form1: the main window. Its list shows the typed-address history; three commands, each a text
// (two of them with an icon and a framed box) that reacts to a click, modify or delete the
// selected entry and refresh the list; the status line at the bottom tells which entry is
// selected. It has no reaction of its own to being closed: as the last loaded window, its
// unload ends the program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "history/history.h"
#include "history/history_view.h"
#include "ui/layer/form.h"
#include "ui/layer/label.h"
#include "ui/layer/line.h"
#include "ui/layer/picture.h"
#include "ui/windows/history_list.h"

namespace tilu::ui {

class Form1;
class Form2;
class Mensaje;

// Front to back. The list, a window of its own, stands in front of all the others.
struct Form1Controls {
    explicit Form1Controls(Form1& form);

    HistoryList List1;
    Label Label12;  // status line
    Line Line2;
    Label Label10;  // unseen, caption "0"
    Label Label8;   // "Modificar"
    Picture Image2;
    Picture Image3;
    Label Label4;  // "Borrar dirección"
    Picture Image1;
    Label Label2;
    Line Line1;
    Label Label5;
    Label Label6;   // "aquí"
    Label Label1;   // unseen scratch holder
    Label Label3;   // top band
    Label Label7;   // delete box
    Label Label9;   // modify box
    Label Label11;  // bottom band

private:
    // `hand`: the pointer of the parts that react to a click.
    Form1Controls(Form1& form, HCURSOR hand);
};

class Form1 : public FormOf<Form1, Form1Controls>, public HistoryView {
public:
    // The window's reactions run the history operations of `history`, whose view this window
    // is; `mensaje` shows their notices and `editor` is the modify command's dialog.
    Form1(Application& application, History& history, Mensaje& mensaje, Form2& editor);

    // The last selected list index (0 after the window's load).
    std::int16_t RecordedIndex() const override { return recordedIndex_; }

    // The window's reactions.
    void RecordSelection();
    void Refresh();
    void DeleteSelectedEntry();
    // Opens the edit dialog with the selected entry's text, or says that nothing is selected.
    void ModifySelectedEntry();
    // The edit dialog's accept: the entry the dialog was opened with becomes newText.
    void ReplaceEntry(const std::wstring& newText);

protected:
    void OnLoad() override;

    // What assistive technology sees: accessible_windows.cpp.
    std::vector<AccessibleElement> AccessibleChildren() const override;
    // Tells assistive technology that the status line's text changed.
    void AnnounceStatusLine() const;

private:
    ListModel& List() override { return Controls().List1; }
    void SetRecordedIndex(std::int16_t index) override { recordedIndex_ = index; }
    void SetStatusLine(const std::wstring& text) override;
    void ShowNotice(const std::wstring& message) override;

    History& history_;
    Mensaje& mensaje_;
    Form2& editor_;
    // A plain number rather than Label10's caption, so that no text is parsed back; the label
    // stays as drawn, unseen.
    std::int16_t recordedIndex_ = 0;
    // The entry the edit dialog was opened with, and what its text box showed of it (a text
    // box stops at a NUL).
    std::wstring edited_;
    std::wstring offered_;
};

}  // namespace tilu::ui
