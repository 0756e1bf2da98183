#include "ui/windows/form1.h"

#include <stdexcept>
#include <utility>

#include "app/resource_ids.h"
#include "ui/layer/application.h"
#include "ui/layer/resources.h"
#include "ui/windows/form2.h"

namespace tilu::ui {

namespace {

// The window's palette.
constexpr COLORREF kWindowBack = 0xDD876D;  // also the text of the two unseen labels
constexpr COLORREF kPaleBack = 0xFAEDE6;    // list, bands and command boxes
constexpr COLORREF kCommandText = 0xC65D21;
constexpr COLORREF kStatusText = 0xCA7B57;  // status and credit lines
constexpr COLORREF kOrange = 0x80C0FF;      // separator lines and the refresh link
constexpr COLORREF kHintText = 0xFFFFFF;

constexpr SIZE kCommandIconPixels{48, 48};
constexpr SIZE kLogoPixels{56, 56};

FormDesign Form1Design() {
    FormDesign design;
    design.caption = L"Administrador de historial - Tilu";
    design.clientWidth = 5295;
    design.clientHeight = 4290;
    design.backColor = kWindowBack;
    design.font = SansSerifRegular();
    design.placement = Placement::Centred;
    design.controlBox = true;
    design.iconId = IDI_APPLICATION_ICON;
    return design;
}

// A transparent label in the bold font.
LabelDesign BoldText(TwipsRect bounds, std::wstring caption, COLORREF color,
                     HCURSOR pointer = nullptr) {
    LabelDesign design;
    design.bounds = bounds;
    design.caption = std::move(caption);
    design.foreColor = color;
    design.font = SansSerifBold();
    design.pointer = pointer;
    return design;
}

// A label the user never sees: its text has the window's background colour.
LabelDesign UnseenText(TwipsRect bounds, std::wstring caption) {
    LabelDesign design;
    design.bounds = bounds;
    design.caption = std::move(caption);
    design.foreColor = kWindowBack;
    design.font = SansSerifRegular();
    return design;
}

// An opaque pale label without text: a band or a command's box.
LabelDesign PaleBox(TwipsRect bounds, bool border, HCURSOR pointer = nullptr) {
    LabelDesign design;
    design.bounds = bounds;
    design.backColor = kPaleBack;
    design.border = border;
    design.pointer = pointer;
    return design;
}

PictureDesign CommandIcon(TwipsRect bounds, int iconId, HCURSOR pointer) {
    PictureDesign design;
    design.bounds = bounds;
    design.image = ImageSource{ImageKind::Icon, iconId, kCommandIconPixels};
    design.pointer = pointer;
    return design;
}

PictureDesign LogoDesign() {
    PictureDesign design;
    design.bounds = {150, 15, 840, 840};
    design.image = ImageSource{ImageKind::Icon, IDI_LOGO, kLogoPixels};
    design.stretch = true;
    return design;
}

LabelDesign RefreshHint() {
    LabelDesign design =
        BoldText({1080, 570, 3045, 255}, L"Para actualizar esta lista, haz clic", kHintText);
    design.alignment = Alignment::Right;
    return design;
}

ListBoxDesign List1Design() {
    return ListBoxDesign{ChildPlacement{{225, 1050, 4830, 1590}, 0}, kCommandText, kPaleBack};
}

}  // namespace

Form1Controls::Form1Controls(Form1& form)
    : List1(form, List1Design()),
      Label12(form, BoldText({90, 4020, 5175, 255}, L"", kStatusText)),
      Line2(form, LineDesign{{-255, 3975}, {5655, 3975}, kOrange}),
      Label10(form, UnseenText({4740, 840, 510, 195}, L"0")),
      Label8(form, BoldText({1185, 3165, 960, 255}, L"Modificar", kCommandText,
                            LoadPointer(IDC_HAND_POINTER))),
      Image2(form, CommandIcon({330, 2910, 720, 720}, IDI_NOTEBOOK, LoadPointer(IDC_HAND_POINTER))),
      Image3(form, CommandIcon({2745, 2910, 720, 720}, IDI_CROSS, LoadPointer(IDC_HAND_POINTER))),
      Label4(form, BoldText({3450, 3165, 1470, 255}, L"Borrar dirección", kCommandText,
                            LoadPointer(IDC_HAND_POINTER))),
      Image1(form, LogoDesign()),
      Label2(form,
             BoldText({1170, 90, 4095, 255}, L"Diseño y programación: equipo Tilu", kStatusText)),
      Line1(form, LineDesign{{-270, 375}, {5640, 375}, kOrange}),
      Label5(form, RefreshHint()),
      Label6(form,
             BoldText({4185, 570, 450, 255}, L"aquí", kOrange, LoadPointer(IDC_HAND_POINTER))),
      Label1(form, UnseenText({225, 870, 450, 195}, L"")),
      Label3(form, PaleBox({-15, 0, 5685, 375}, false)),
      Label7(form, PaleBox({2745, 2910, 2295, 735}, true, LoadPointer(IDC_HAND_POINTER))),
      Label9(form, PaleBox({225, 2910, 2295, 735}, true, LoadPointer(IDC_HAND_POINTER))),
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

Form1::Form1() : FormOf(Form1Design()) {}

void Form1::UseHistory(const cQueryReg& registry, std::wstring keyPath) {
    registry_ = &registry;
    keyPath_ = std::move(keyPath);
}

History Form1::Logic() {
    if (!registry_) {
        throw std::logic_error("Form1 has no history to show: UseHistory was not called");
    }
    return History(*registry_, *this, notice_, keyPath_);
}

void Form1::OnLoad() {
    Logic().OnLoad();
}

void Form1::RecordSelection() {
    Logic().RecordSelection();
}

void Form1::Refresh() {
    Logic().Refresh();
}

void Form1::DeleteSelectedEntry() {
    Logic().DeleteSelectedEntry();
}

void Form1::ModifySelectedEntry() {
    if (Loaded().List1.SelectedText().empty()) {
        ReportNothingSelected(notice_);
        return;
    }
    // Reaching Text1 loads the dialog, whose load captions its buttons before the text is set.
    Form2& dialog = TheForm<Form2>();
    dialog.Text1().SetText(Loaded().List1.SelectedText());
    dialog.ShowModal();
}

void Form1::ReplaceEntry(const std::wstring& newText) {
    Logic().ReplaceEntry(newText);
}

void Form1::SetStatusLine(const std::wstring& text) {
    Loaded().Label12.SetCaption(text);
}

}  // namespace tilu::ui
