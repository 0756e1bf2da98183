// The edit dialog opened by the main window's modify command: what it shows, accept and cancel
// through its own buttons, checked against the key, the list and the status line.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "program_fixture.h"
#include "tests/ui/screen_colours.h"
#include "ui/layer/application.h"
#include "ui/windows/form2.h"
#include "ui/windows/mensaje.h"

namespace tilu::ui {
namespace {

using testing::Canvas;
using testing::kDeepBlue;
using testing::kPaleBlue;
using testing::kSeven;
using testing::kSlateBlue;
using testing::Layout;
using testing::Press;

class Form2Test : public testing::ProgramTest {
protected:
    // Selects an entry and runs the modify command, with `act` inside the dialog.
    void Modify(int index, std::function<void(Form2&)> act) {
        ClickItem(index);
        if (silently_ >= 0) {
            SendMessageW(program_.form1.Controls().List1.ChildHwnd(), LB_SETCURSEL, silently_, 0);
        }
        OnModalLoop([this, act = std::move(act)](Form& dialog) {
            Form2& form2 = program_.form2;
            ASSERT_EQ(&dialog, &form2);
            act(form2);
        });
        Form1& form1 = program_.form1;
        ClickOn(form1, form1.Controls().Label8);
        platform_.modalLoopStarted = nullptr;
    }
    // Where another program moves the highlight after the click, without a selection's notice.
    int silently_ = -1;
};

TEST_F(Form2Test, OpensWithTheSelectedTextFocused) {
    SeedInOrder(kSeven);
    ShowForm1();
    bool opened = false;
    Modify(2, [&](Form2& dialog) {
        opened = true;
        EXPECT_EQ(dialog.Text1().Text(), L"https://tres.es/");
        EXPECT_EQ(GetFocus(), dialog.Text1().ChildHwnd());
        EXPECT_EQ(dialog.Controls().CommandTilu1.Texto().Caption(), L"Cancelar");
        EXPECT_EQ(dialog.Controls().CommandTilu2.Texto().Caption(), L"Aceptar");
        EXPECT_EQ(Status(), L"Elemento seleccionado: 3 de 7") << "unchanged while open";
        EXPECT_FALSE(IsWindowEnabled(program_.form1.Hwnd())) << "the main window waits";
        Press(dialog.Controls().CommandTilu1);
    });
    EXPECT_TRUE(opened);
}

TEST_F(Form2Test, AcceptReplacesTheEntryAsTyped) {
    struct Case {
        const char* name;
        std::function<std::wstring(const std::wstring&)> edit;  // from the text shown
        std::vector<std::wstring> slots;
        std::vector<std::wstring> items;
        const wchar_t* status;
        std::vector<std::wstring> seeds = kSeven;
        int silently = -1;  // the entry another program highlights after the user's click
    };
    std::vector<std::wstring> withNul = kSeven;
    withNul[2] = std::wstring(L"https://tres.es/\0cola", 21);
    const std::vector<std::wstring> changed = {
        kSeven[0], kSeven[1], L"https://nueva.es/", kSeven[3], kSeven[4], kSeven[5], kSeven[6]};
    const std::vector<std::wstring> blanks = {kSeven[0], kSeven[1], L"  tres  ", kSeven[3],
                                              kSeven[4], kSeven[5], kSeven[6]};
    std::vector<std::wstring> gap = Layout(kSeven);
    gap[2] = testing::kAbsent;
    const std::vector<std::wstring> withoutThird = {kSeven[0], kSeven[1], kSeven[3],
                                                    kSeven[4], kSeven[5], kSeven[6]};
    const std::vector<Case> cases = {
        {"changed", [](const std::wstring&) { return L"https://nueva.es/"; }, Layout(changed),
         changed, L"Elemento seleccionado: 0 de 7"},
        {"unchanged", [](const std::wstring& shown) { return shown; }, Layout(kSeven), kSeven,
         L"Elemento seleccionado: 0 de 7"},
        {"unchanged, with a NUL the box does not show",
         [](const std::wstring& shown) { return shown; }, Layout(withNul), kSeven,
         L"Elemento seleccionado: 0 de 7", withNul},
        {"blanks kept", [](const std::wstring&) { return L"  tres  "; }, Layout(blanks), blanks,
         L"Elemento seleccionado: 0 de 7"},
        {"emptied: the slot stays absent", [](const std::wstring&) { return L""; }, gap,
         withoutThird, L"Elemento seleccionado: 0 de 6"},
        {"highlighted silently by another program, accepted unedited",
         [](const std::wstring& shown) { return shown; }, Layout(kSeven), kSeven,
         L"Elemento seleccionado: 0 de 7", kSeven, 4},
    };
    for (const Case& k : cases) {
        SeedInOrder(k.seeds);
        Form1& form1 = ShowForm1();
        silently_ = k.silently;
        Modify(2, [&](Form2& dialog) {
            // Whatever the highlight does now, the accept goes to the entry shown.
            SendMessageW(form1.Controls().List1.ChildHwnd(), LB_SETCURSEL, 0, 0);
            dialog.Text1().SetText(k.edit(dialog.Text1().Text()));
            Press(dialog.Controls().CommandTilu2);
            EXPECT_FALSE(dialog.IsLoaded()) << k.name << ": accept unloads";
        });
        EXPECT_EQ(Slots(), k.slots) << k.name;
        EXPECT_EQ(Items(), k.items) << k.name;
        EXPECT_EQ(Status(), k.status) << k.name;
        EXPECT_EQ(form1.Controls().List1.SelectedIndex(), -1) << k.name;
        EXPECT_EQ(form1.RecordedIndex(), k.silently >= 0 ? k.silently : 2) << k.name;
        EXPECT_TRUE(IsWindowEnabled(form1.Hwnd())) << k.name;
    }
}

TEST_F(Form2Test, CancelChangesNothing) {
    struct Case {
        const char* name;
        std::function<void(Form2&)> cancel;
    };
    const std::vector<Case> cases = {
        {"Cancelar", [](Form2& d) { Press(d.Controls().CommandTilu1); }},
        {"close box", [](Form2& d) { SendMessageW(d.Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Case& k : cases) {
        SeedInOrder(kSeven);
        Form1& form1 = ShowForm1();
        Modify(2, [&](Form2& dialog) {
            dialog.Text1().SetText(L"https://otra.es/");
            k.cancel(dialog);
            EXPECT_FALSE(dialog.IsLoaded()) << k.name;
        });
        EXPECT_EQ(Slots(), Layout(kSeven)) << k.name;
        EXPECT_EQ(Items(), kSeven) << k.name;
        EXPECT_EQ(form1.Controls().List1.SelectedIndex(), 2) << k.name << ": still selected";
        EXPECT_EQ(Status(), L"Elemento seleccionado: 3 de 7") << k.name;
    }
}

TEST_F(Form2Test, EachOpeningStartsFromTheDesign) {
    SeedInOrder(kSeven);
    ShowForm1();
    std::vector<std::wstring> seen;
    const auto record = [&](Form2& dialog) {
        seen.push_back(dialog.Controls().CommandTilu1.CaptionTilu() + L"|" +
                       dialog.Controls().CommandTilu2.CaptionTilu() + L"|" + dialog.Text1().Text());
    };
    Modify(2, [&](Form2& dialog) {
        record(dialog);
        dialog.Text1().SetText(L"escrito y cancelado");
        Press(dialog.Controls().CommandTilu1);
    });
    Modify(2, [&](Form2& dialog) {
        record(dialog);
        Press(dialog.Controls().CommandTilu2);
    });
    Modify(4, [&](Form2& dialog) {
        record(dialog);
        Press(dialog.Controls().CommandTilu1);
    });
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"Cancelar|Aceptar|https://tres.es/",
                                               L"Cancelar|Aceptar|https://tres.es/",
                                               L"Cancelar|Aceptar|https://cinco.es/"}));
}

// Task managers and automation tools post close requests to a program's windows. Under a
// dialog the main window waits with it: it stays, the dialog's accept replaces the entry that
// was selected, and closing the main window afterwards ends the program as usual.
TEST_F(Form2Test, CloseRequestsToTheMainWindowWaitForTheDialog) {
    struct Case {
        const char* name;
        int selected;  // -1: nothing, so the modify command shows the message
        std::vector<std::wstring> slots;
    };
    std::vector<std::wstring> fourthReplaced = kSeven;
    fourthReplaced[3] = L"https://nueva.es/";
    const std::vector<Case> cases = {{"edit dialog", 3, Layout(fourthReplaced)},
                                     {"message", -1, Layout(kSeven)}};
    for (const Case& k : cases) {
        SeedInOrder(kSeven);
        Form1& form1 = ShowForm1();
        if (k.selected >= 0) {
            ClickItem(k.selected);
        }
        OnModalLoop([&](Form& dialog) {
            PostMessageW(form1.Hwnd(), WM_CLOSE, 0, 0);
            PostMessageW(form1.Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
            testing::PumpPending(application_);
            EXPECT_TRUE(form1.IsLoaded()) << k.name;
            if (&dialog == &program_.form2) {
                program_.form2.Text1().SetText(L"https://nueva.es/");
                Press(program_.form2.Controls().CommandTilu2);
            } else {
                Press(program_.mensaje.Controls().CommandTilu1);
            }
        });
        ClickOn(form1, form1.Controls().Label8);
        platform_.modalLoopStarted = nullptr;
        EXPECT_EQ(Slots(), k.slots) << k.name;

        PostMessageW(form1.Hwnd(), WM_CLOSE, 0, 0);
        EXPECT_EQ(application_.Run(), 0) << k.name;
        EXPECT_FALSE(form1.IsLoaded()) << k.name;
    }
}

TEST_F(Form2Test, GeometryAndLook) {
    Form2& dialog = program_.form2;
    dialog.Unload();
    dialog.Load();
    const Scale scale(dialog.Dpi());
    EXPECT_TRUE(testing::ClientAreaIs(dialog, 4680, 1920, {312, 128}));
    EXPECT_TRUE(testing::FrameIs(dialog, L"Modificar Dirección"));
    EXPECT_EQ(SendMessageW(dialog.Hwnd(), WM_GETICON, ICON_SMALL, 0), 0) << "no window icon";
    EXPECT_EQ(dialog.Design().placement, Placement::SystemDefault);

    struct Child {
        const char* name;
        HWND hwnd;
        TwipsRect bounds;
    };
    Form2Controls& c = dialog.Controls();
    const std::vector<Child> children = {
        {"CommandTilu2", c.CommandTilu2.Hwnd(), {2475, 1380, 1695, 375}},
        {"CommandTilu1", c.CommandTilu1.Hwnd(), {480, 1380, 1695, 375}},
        {"Text1", c.Text1.ChildHwnd(), {1275, 555, 3135, 285}},
    };
    for (const Child& child : children) {
        EXPECT_TRUE(testing::PlacedAt(dialog, child.hwnd, child.bounds)) << child.name;
    }
    EXPECT_EQ(testing::ColoursOf(dialog, c.Text1.ChildHwnd(), WM_CTLCOLOREDIT).text, kDeepBlue);

    const Canvas canvas(dialog);
    EXPECT_EQ(canvas.At(canvas.Width() - 2, canvas.Height() - 2), kPaleBlue);
    EXPECT_TRUE(canvas.Contains(scale.Px(TwipsRect{1275, 240, 3060, 255}), kSlateBlue));
    const RECT logo = scale.Px(TwipsRect{150, 105, 840, 840});
    EXPECT_NE(canvas.At((logo.left + logo.right) / 2, (logo.top + logo.bottom) / 2), kPaleBlue)
        << "the logo fills its box";
}

}  // namespace
}  // namespace tilu::ui
