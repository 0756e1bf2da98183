#include "ui/windows/form1.h"

#include <optional>
#include <utility>

#include "ui/resources/resource_ids.h"
#include "ui/layer/resources.h"
#include "ui/controls/palette.h"
#include "ui/windows/form2.h"
#include "ui/windows/mensaje.h"
#include "ui/windows/shared_designs.h"

namespace tilu::ui {

namespace {

using namespace palette;

constexpr SIZE kCommandIconPixels{48, 48};

FormDesign Form1Design() {
    return {.caption = L"Administrador de historial - Tilu",
            .clientWidth = 5295,
            .clientHeight = 4290,
            .backColor = kMidBlue,
            .iconId = IDI_APPLICATION_ICON};
}

// A label the user never sees: its text has the window's background colour.
LabelDesign UnseenText(TwipsRect bounds, std::wstring caption) {
    return {.bounds = bounds, .caption = std::move(caption), .foreColor = kMidBlue};
}

// An opaque pale label without text: a band or a command's box.
LabelDesign PaleBox(TwipsRect bounds, bool border, HCURSOR pointer = nullptr) {
    return {.bounds = bounds, .backColor = kPaleBlue, .border = border, .pointer = pointer};
}

PictureDesign CommandIcon(TwipsRect bounds, int iconId, HCURSOR pointer) {
    return {.bounds = bounds,
            .image = ImageSource{ImageKind::Icon, iconId, kCommandIconPixels},
            .pointer = pointer};
}

LabelDesign RefreshHint() {
    LabelDesign design =
        BoldText({1080, 570, 3045, 255}, L"Para actualizar esta lista, haz clic", kWhite);
    design.alignment = Alignment::Right;
    return design;
}

}  // namespace

Form1Controls::Form1Controls(Form1& form) : Form1Controls(form, LoadPointer(IDC_HAND_POINTER)) {}

Form1Controls::Form1Controls(Form1& form, HCURSOR hand)
    : List1(form, ListBoxDesign{ChildPlacement{{225, 1050, 4830, 1590}, 0}, kDeepBlue, kPaleBlue}),
      Label12(form, BoldText({90, 4020, 5175, 255}, L"", kSlateBlue)),
      Line2(form, LineDesign{{-255, 3975}, {5655, 3975}, kOrange}),
      Label10(form, UnseenText({4740, 840, 510, 195}, L"0")),
      Label8(form, BoldText({1185, 3165, 960, 255}, L"Modificar", kDeepBlue, hand)),
      Image2(form, CommandIcon({330, 2910, 720, 720}, IDI_NOTEBOOK, hand)),
      Image3(form, CommandIcon({2745, 2910, 720, 720}, IDI_CROSS, hand)),
      Label4(form, BoldText({3450, 3165, 1470, 255}, L"Borrar dirección", kDeepBlue, hand)),
      Image1(form, Logo({150, 15, 840, 840})),
      Label2(form,
             BoldText({1170, 90, 4095, 255}, L"Diseño y programación: equipo Tilu", kSlateBlue)),
      Line1(form, LineDesign{{-270, 375}, {5640, 375}, kOrange}),
      Label5(form, RefreshHint()),
      Label6(form, BoldText({4185, 570, 450, 255}, L"aquí", kOrange, hand)),
      Label1(form, UnseenText({225, 870, 450, 195}, L"")),
      Label3(form, PaleBox({-15, 0, 5685, 375}, false)),
      Label7(form, PaleBox({2745, 2910, 2295, 735}, true, hand)),
      Label9(form, PaleBox({225, 2910, 2295, 735}, true, hand)),
      Label11(form, PaleBox({-120, 3975, 5685, 375}, false)) {
    List1.SelectionChanged = [&form] { form.RecordSelection(); };
    Label6.Click = [&form] { form.Refresh(); };
    const auto remove = [&form] { form.DeleteSelectedEntry(); };
    Label4.Click = remove;
    Label7.Click = remove;
    Image3.Click = remove;
    const auto modify = [&form] { form.ModifySelectedEntry(); };
    Label8.Click = modify;
    Label9.Click = modify;
    Image2.Click = modify;
}

Form1::Form1(Application& application, History& history, Mensaje& mensaje, Form2& editor)
    : FormOf(application, Form1Design()), history_(history), mensaje_(mensaje), editor_(editor) {}

void Form1::OnLoad() {
    history_.OnLoad();
}

void Form1::RecordSelection() {
    history_.RecordSelection();
}

void Form1::Refresh() {
    history_.Refresh();
}

void Form1::DeleteSelectedEntry() {
    history_.DeleteSelectedEntry();
}

void Form1::ModifySelectedEntry() {
    std::optional<std::wstring> text = history_.BeginEdit();
    if (!text) {
        return;
    }
    // Reaching Text1 loads the dialog, whose load captions its buttons before the text is set.
    edited_ = std::move(*text);
    editor_.Text1().SetText(edited_);
    offered_ = editor_.Text1().Text();
    editor_.ShowModal();
}

void Form1::ReplaceEntry(const std::wstring& newText) {
    // An accept without an edit gives back only what the box showed; the entry stays as it is.
    history_.ReplaceEntry(newText == offered_ ? edited_ : newText);
}

void Form1::SetStatusLine(const std::wstring& text) {
    Controls().Label12.SetCaption(text);
    // Shown at once, as a static text control repaints on a new text, rather than after the
    // queued input. Not UpdateWindow: that paints the child windows too, and the list paints its
    // own refill, once, when its turn in the queue comes. RedrawWindow: RDW_UPDATENOW paints now,
    // RDW_NOCHILDREN leaves the children out (MSDN).
    RedrawWindow(Hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_NOCHILDREN);
    AnnounceStatusLine();
}

void Form1::ShowNotice(const std::wstring& message) {
    mensaje_.Tell(message);
}

}  // namespace tilu::ui
