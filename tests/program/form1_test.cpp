// The main window: its load, the selection, refresh and delete flows through its own reactions,
// the commands that need a selection, the clicks that do nothing, its look and its close.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/resources/resource_ids.h"
#include "program_fixture.h"
#include "tests/ui/screen_colours.h"
#include "ui/layer/application.h"
#include "ui/layer/resources.h"
#include "ui/windows/mensaje.h"

namespace tilu::ui {
namespace {

using testing::Canvas;
using testing::kDeepBlue;
using testing::kMidBlue;
using testing::kOrange;
using testing::kPaleBlue;
using testing::kSeven;
using testing::kSlateBlue;
using testing::kWhite;
using testing::Layout;
using testing::Sz;

constexpr wchar_t kNothingSelected[] = L"No has seleccionado ningún elemento.";

// Where a click on the main window lands, in twips of its client area.
struct Target {
    const char* name;
    TwipsPoint point;
};

// Points inside each command's box that belong to one piece only.
const Target kModifyText{"\"Modificar\" (Label8)", {1665, 3290}};
const Target kModifyBox{"the modify box (Label9)", {2300, 3000}};
const Target kNotebook{"the notebook (Image2)", {690, 3270}};
const Target kDeleteText{"\"Borrar dirección\" (Label4)", {4185, 3290}};
const Target kDeleteBox{"the delete box (Label7)", {4800, 3550}};
const Target kCross{"the cross (Image3)", {3000, 3150}};

class Form1Test : public testing::ProgramTest {
protected:
    Form1& Main() { return program_.form1; }
};

TEST_F(Form1Test, LoadShowsTheSlotsInOrderSkippingGaps) {
    Seed({Sz("url10", L"https://diez.es/"), Sz("url1", L"https://uno.es/"),
          Sz("url3", L"https://tres.es/")});
    ShowForm1();
    EXPECT_EQ(Items(), (std::vector<std::wstring>{L"https://uno.es/", L"https://tres.es/",
                                                  L"https://diez.es/"}));
    EXPECT_EQ(Status(), L"Elemento seleccionado: 0 de 3");
    EXPECT_EQ(Main().Controls().List1.SelectedIndex(), -1);
    EXPECT_EQ(Main().RecordedIndex(), 0);
}

TEST_F(Form1Test, LoadOfAMissingKeyShowsAnEmptyList) {
    ShowForm1();
    EXPECT_EQ(Items(), std::vector<std::wstring>{});
    EXPECT_EQ(Status(), L"Elemento seleccionado: 0 de 0");
}

TEST_F(Form1Test, SelectionByClickAndArrowKeysIsRecorded) {
    SeedInOrder(kSeven);
    Form1& form = ShowForm1();
    ClickItem(2);
    EXPECT_EQ(Status(), L"Elemento seleccionado: 3 de 7");
    EXPECT_EQ(form.RecordedIndex(), 2);

    const HWND list = form.Controls().List1.ChildHwnd();
    SendMessageW(list, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(Status(), L"Elemento seleccionado: 4 de 7");
    EXPECT_EQ(form.RecordedIndex(), 3);
    SendMessageW(list, WM_KEYDOWN, VK_UP, 1);
    SendMessageW(list, WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(Status(), L"Elemento seleccionado: 2 de 7");
    EXPECT_EQ(form.RecordedIndex(), 1);
}

TEST_F(Form1Test, TheOnlyEntrySelectedReadsOneOfOne) {
    SeedInOrder({L" "});
    ShowForm1();
    ClickItem(0);
    EXPECT_EQ(Status(), L"Elemento seleccionado: 1 de 1");
}

// The worked example: the third of seven selected, then deleted, by each of the three pieces of
// the delete command.
TEST_F(Form1Test, DeleteTheThirdOfSeven) {
    for (const Target& target : {kDeleteText, kDeleteBox, kCross}) {
        SeedInOrder(kSeven);
        Form1& form = ShowForm1();
        ClickItem(2);
        ASSERT_EQ(Status(), L"Elemento seleccionado: 3 de 7") << target.name;
        ClickAt(form, target.point);

        const std::vector<std::wstring> left = {kSeven[0], kSeven[1], kSeven[3],
                                                kSeven[4], kSeven[5], kSeven[6]};
        EXPECT_EQ(Status(), L"Elemento seleccionado: 0  de 6") << target.name << ": two blanks";
        EXPECT_EQ(Items(), left) << target.name;
        EXPECT_EQ(Slots(), Layout(left)) << target.name << ": url7 is gone";
        EXPECT_EQ(form.Controls().List1.SelectedIndex(), -1) << target.name;
        EXPECT_EQ(form.RecordedIndex(), 2) << target.name << ": the delete keeps the record";
        EXPECT_EQ(beeps_, 0) << target.name;
    }
}

TEST_F(Form1Test, DeletingTheOnlyEntryLeavesNoSlot) {
    SeedInOrder({L"https://solo.es/"});
    Form1& form = ShowForm1();
    ClickItem(0);
    ClickOn(form, form.Controls().Label4);
    EXPECT_EQ(Status(), L"Elemento seleccionado: 0  de 0");
    EXPECT_EQ(Slots(), Layout({}));
    EXPECT_TRUE(key_.Exists()) << "the key itself stays";
}

// The list box shows a text up to its first NUL; a delete writes the untouched entries as they
// were.
TEST_F(Form1Test, TheListKeepsTextsTheListBoxCannotShow) {
    const std::wstring embedded(L"http://emb.example/\0tail", 24);
    SeedInOrder({embedded, L"http://x\xD800y.example/", L"http://borrar.es/"});
    Form1& form = ShowForm1();
    EXPECT_EQ(form.Controls().List1.Text(0), L"http://emb.example/");
    ClickItem(2);
    ClickOn(form, form.Controls().Label4);
    EXPECT_EQ(Slots(), Layout({embedded, L"http://x\xD800y.example/"}));
}

// Each of the six pieces of the two commands, with nothing selected: the message, its button's
// caption and one beep, and nothing changed.
TEST_F(Form1Test, CommandsWithNothingSelectedSaySo) {
    for (const Target& target :
         {kModifyText, kModifyBox, kNotebook, kDeleteText, kDeleteBox, kCross}) {
        SeedInOrder(kSeven);
        Form1& form = ShowForm1();
        beeps_ = 0;
        std::wstring captionAtBeep = L"(no beep)";
        platform_.beep = [&] {
            ++beeps_;
            captionAtBeep = program_.mensaje.Controls().CommandTilu1.CaptionTilu();
        };
        int shown = 0;
        OnModalLoop([&](Form& dialog) {
            ++shown;
            Mensaje& mensaje = program_.mensaje;
            EXPECT_EQ(&dialog, &mensaje) << target.name;
            EXPECT_EQ(mensaje.Controls().TextoMensaje.Caption(), kNothingSelected) << target.name;
            EXPECT_EQ(mensaje.Controls().CommandTilu1.CaptionTilu(), L"Aceptar") << target.name;
            EXPECT_EQ(beeps_, 1) << target.name << ": the beep comes before the show";
            EXPECT_FALSE(IsWindowEnabled(form.Hwnd())) << target.name << ": modal";
            testing::Press(mensaje.Controls().CommandTilu1);
        });
        ClickAt(form, target.point);

        EXPECT_EQ(shown, 1) << target.name << ": one command, run once";
        EXPECT_EQ(beeps_, 1) << target.name;
        EXPECT_EQ(captionAtBeep, L"Aceptar") << target.name << ": caption set before the beep";
        EXPECT_FALSE(program_.mensaje.IsLoaded()) << target.name;
        EXPECT_TRUE(IsWindowEnabled(form.Hwnd())) << target.name;
        EXPECT_EQ(Status(), L"Elemento seleccionado: 0 de 7") << target.name;
        EXPECT_EQ(Items(), kSeven) << target.name;
        EXPECT_EQ(Slots(), Layout(kSeven)) << target.name;
        platform_.modalLoopStarted = nullptr;
    }
}

TEST_F(Form1Test, RefreshRereadsTheKeyAndKeepsTheRecordedIndex) {
    SeedInOrder(kSeven);
    Form1& form = ShowForm1();
    ClickItem(4);
    ASSERT_EQ(form.RecordedIndex(), 4);
    Seed({Sz("url8", L"https://ocho.es/")});  // the browser adds an address meanwhile

    ClickOn(form, form.Controls().Label6);
    EXPECT_EQ(Status(), L"Elemento seleccionado: 0 de 8");
    EXPECT_EQ(Items().size(), 8u);
    EXPECT_EQ(form.Controls().List1.SelectedIndex(), -1);
    EXPECT_EQ(form.RecordedIndex(), 4);
}

// Everything but the list and the three commands ignores the mouse, and a right click on a
// command runs nothing either.
TEST_F(Form1Test, ClicksElsewhereDoNothing) {
    struct Case {
        const char* name;
        TwipsPoint point;
        UINT button;
    };
    const std::vector<Case> cases = {
        {"the refresh hint (Label5)", {3000, 690}, MK_LBUTTON},
        {"the logo (Image1)", {570, 435}, MK_LBUTTON},
        {"the credit line (Label2)", {3000, 210}, MK_LBUTTON},
        {"the top band (Label3)", {5200, 100}, MK_LBUTTON},
        {"the bottom band (Label11)", {5200, 4240}, MK_LBUTTON},
        {"the status line (Label12)", {1000, 4140}, MK_LBUTTON},
        {"the upper line (Line1)", {4500, 375}, MK_LBUTTON},
        {"the lower line (Line2)", {4500, 3975}, MK_LBUTTON},
        {"the unseen Label10", {4995, 937}, MK_LBUTTON},
        {"the unseen Label1", {450, 967}, MK_LBUTTON},
        {"the window's background", {2632, 3800}, MK_LBUTTON},
        {"right click on \"Borrar dirección\"", kDeleteText.point, MK_RBUTTON},
        {"right click on the cross", kCross.point, MK_RBUTTON},
        {"right click on \"Modificar\"", kModifyText.point, MK_RBUTTON},
        {"right click on \"aquí\"", {4410, 697}, MK_RBUTTON},
        {"middle click on the delete box", kDeleteBox.point, MK_MBUTTON},
    };
    SeedInOrder(kSeven);
    Form1& form = ShowForm1();
    ClickItem(2);
    platform_.modalLoopStarted = [](Form& dialog) {
        ADD_FAILURE() << "a dialog opened";
        dialog.Unload();
    };
    for (const Case& k : cases) {
        ClickAt(form, k.point, k.button);
        EXPECT_EQ(Status(), L"Elemento seleccionado: 3 de 7") << k.name;
        EXPECT_EQ(form.Controls().List1.SelectedIndex(), 2) << k.name;
        EXPECT_EQ(Items(), kSeven) << k.name;
        EXPECT_EQ(beeps_, 0) << k.name;
    }
    EXPECT_EQ(Slots(), Layout(kSeven));
}

TEST_F(Form1Test, WindowGeometry) {
    Form1& form = ShowForm1();
    EXPECT_TRUE(testing::ClientAreaIs(form, 5295, 4290, {353, 286}));
    EXPECT_TRUE(testing::FrameIs(form, L"Administrador de historial - Tilu"));
    EXPECT_NE(SendMessageW(form.Hwnd(), WM_GETICON, ICON_SMALL, 0), 0) << "window icon";
    EXPECT_NE(SendMessageW(form.Hwnd(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_TRUE(testing::IsCentredOnScreen(form.Hwnd()));

    const HWND list = form.Controls().List1.ChildHwnd();
    EXPECT_TRUE(testing::PlacedAt(form, list, {225, 1050, 4830, 1590}));
    const LONG listStyle = GetWindowLongW(list, GWL_STYLE);
    EXPECT_FALSE(listStyle & (LBS_SORT | LBS_MULTIPLESEL | LBS_EXTENDEDSEL));
    EXPECT_EQ(GetFocus(), list) << "the only control that takes the focus";
    EXPECT_EQ(GetNextDlgTabItem(form.Hwnd(), list, FALSE), list);
}

TEST_F(Form1Test, ListColours) {
    Form1& form = ShowForm1();
    const auto colours =
        testing::ColoursOf(form, form.Controls().List1.ChildHwnd(), WM_CTLCOLORLISTBOX);
    EXPECT_EQ(colours.text, kDeepBlue);
    EXPECT_EQ(colours.back, kPaleBlue);
}

TEST_F(Form1Test, PaintedLook) {
    SeedInOrder(kSeven);
    Form1& form = ShowForm1();
    const Scale scale(form.Dpi());
    const Canvas canvas(form);
    const auto at = [&](TwipsPoint p) {
        const POINT px = scale.Px(p);
        return canvas.At(px.x, px.y);
    };
    const auto area = [&](TwipsRect r) { return scale.Px(r); };
    struct Probe {
        const char* name;
        TwipsPoint point;
        COLORREF color;
    };
    const std::vector<Probe> probes = {
        {"top band, right end", {5250, 150}, kPaleBlue},
        {"top band, left edge", {0, 150}, kPaleBlue},
        {"upper line", {4500, 375}, kOrange},
        {"window background between band and list", {2600, 900}, kMidBlue},
        {"window background under the boxes", {2600, 3800}, kMidBlue},
        {"lower line", {4500, 3975}, kOrange},
        {"bottom band", {5250, 4200}, kPaleBlue},
        {"modify box inside", {2300, 3000}, kPaleBlue},
        {"delete box inside", {4800, 3550}, kPaleBlue},
        {"between the boxes", {2632, 3200}, kMidBlue},
    };
    for (const Probe& p : probes) {
        EXPECT_EQ(at(p.point), p.color) << p.name;
    }
    // The boxes' flat border, one pixel at their edges.
    const RECT modifyBox = area({225, 2910, 2295, 735});
    EXPECT_NE(canvas.At(modifyBox.left, modifyBox.top + 20), kPaleBlue) << "modify box border";
    EXPECT_EQ(canvas.At(modifyBox.left + 1, modifyBox.top + 20), kPaleBlue);
    const RECT deleteBox = area({2745, 2910, 2295, 735});
    EXPECT_NE(canvas.At(deleteBox.right - 1, deleteBox.bottom - 3), kPaleBlue)
        << "delete box border";
    EXPECT_EQ(canvas.At(deleteBox.right - 2, deleteBox.bottom - 3), kPaleBlue);

    struct Text {
        const char* name;
        TwipsRect box;
        COLORREF color;
    };
    const std::vector<Text> texts = {
        {"status line", {90, 4020, 5175, 255}, kSlateBlue},
        {"credit line", {1170, 90, 4095, 255}, kSlateBlue},
        {"Modificar", {1185, 3165, 960, 255}, kDeepBlue},
        {"Borrar dirección", {3450, 3165, 1470, 255}, kDeepBlue},
        {"refresh hint", {1080, 570, 3045, 255}, kWhite},
        {"aquí", {4185, 570, 450, 255}, kOrange},
    };
    for (const Text& t : texts) {
        EXPECT_TRUE(canvas.Contains(area(t.box), t.color)) << t.name;
    }
    // The hint is right-aligned: its last letters stand just left of "aquí".
    const RECT hint = area({1080, 570, 3045, 255});
    EXPECT_TRUE(canvas.Contains(RECT{hint.right - 8, hint.top, hint.right, hint.bottom}, kWhite));
    EXPECT_FALSE(canvas.Contains(RECT{hint.left, hint.top, hint.left + 8, hint.bottom}, kWhite));

    // The unseen labels show nothing, whatever they hold.
    const RECT label10 = area({4740, 840, 510, 195});
    for (int y = label10.top; y < label10.bottom; ++y) {
        for (int x = label10.left; x < label10.right; ++x) {
            ASSERT_EQ(canvas.At(x, y), kMidBlue) << "Label10 at " << x << "," << y;
        }
    }
}

TEST_F(Form1Test, HandPointerOverTheCommandsOnly) {
    Form1& form = ShowForm1();
    const HCURSOR hand = LoadPointer(IDC_HAND_POINTER);
    ASSERT_NE(hand, nullptr);
    const Scale scale(form.Dpi());
    struct Case {
        const char* name;
        TwipsPoint point;
        bool hand;
    };
    const std::vector<Case> cases = {
        {kModifyText.name, kModifyText.point, true},
        {kModifyBox.name, kModifyBox.point, true},
        {kNotebook.name, kNotebook.point, true},
        {kDeleteText.name, kDeleteText.point, true},
        {kDeleteBox.name, kDeleteBox.point, true},
        {kCross.name, kCross.point, true},
        {"aquí", {4410, 697}, true},
        {"refresh hint", {3000, 690}, false},
        {"top band", {5200, 100}, false},
        {"status line", {1000, 4140}, false},
        {"logo", {570, 435}, false},
    };
    for (const Case& k : cases) {
        const Lightweight* control = form.HitTest(scale.Px(k.point));
        const HCURSOR pointer = control ? control->Pointer() : nullptr;
        EXPECT_EQ(pointer == hand, k.hand) << k.name;
    }
}

TEST_F(Form1Test, ClosingTheMainWindowEndsTheProgram) {
    Form1& form = ShowForm1();
    ASSERT_EQ(application_.LoadedForms().size(), 1u);
    PostMessageW(form.Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(application_.Run(), 0) << "the loop ends with the last window";
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(programEnds_, 0) << "no forced end: the loop simply runs out";
}

}  // namespace
}  // namespace tilu::ui
