// Program start and end: the welcome window alone at start with nothing read, its two buttons
// and its close box, and the program running out when the main window closes.
#include <windows.h>

#include <gtest/gtest.h>

#include "program_fixture.h"
#include "tests/ui/screen_colours.h"
#include "ui/layer/application.h"
#include "ui/windows/presentacion.h"

namespace tilu::ui {
namespace {

using testing::Canvas;
using testing::kDeepBlue;
using testing::kMidBlue;
using testing::kOrange;
using testing::kPaleBlue;

class PresentaciónTest : public testing::ProgramTest {
protected:
    Presentación& Start() {
        program_.presentación.Unload();
        program_.form1.Unload();
        counting_.Clear();
        program_.Start();
        return program_.presentación;
    }
};

TEST_F(PresentaciónTest, StartShowsOnlyTheWelcomeWindowAndReadsNothing) {
    SeedInOrder({L"https://uno.es/"});
    Presentación& welcome = Start();
    EXPECT_EQ(application_.LoadedForms(), std::vector<Form*>{&welcome});
    EXPECT_TRUE(IsWindowVisible(welcome.Hwnd()));
    EXPECT_EQ(counting_.OperationCount(), 0u) << "the registry is not read before \"Aceptar\"";
    EXPECT_EQ(welcome.Controls().CommandTilu1.CaptionTilu(), L"Salir");
    EXPECT_EQ(welcome.Controls().CommandTilu2.CaptionTilu(), L"Aceptar");
    EXPECT_EQ(GetFocus(), welcome.Controls().CommandTilu1.Hwnd()) << "lowest in tab order";
    EXPECT_TRUE(testing::IsCentredOnScreen(welcome.Hwnd()));
}

TEST_F(PresentaciónTest, SalirAndTheCloseBoxEndTheProgramAtOnce) {
    struct Case {
        const char* name;
        std::function<void(Presentación&)> leave;
    };
    const std::vector<Case> cases = {
        {"Salir", [](Presentación& w) { testing::Press(w.Controls().CommandTilu1); }},
        {"close box", [](Presentación& w) { SendMessageW(w.Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Case& k : cases) {
        programEnds_ = 0;
        Presentación& welcome = Start();
        k.leave(welcome);
        EXPECT_EQ(programEnds_, 1) << k.name;
        EXPECT_FALSE(program_.form1.IsLoaded()) << k.name << ": the main window never opens";
        EXPECT_EQ(counting_.OperationCount(), 0u) << k.name << ": the history is never read";
    }
}

TEST_F(PresentaciónTest, AceptarOpensTheMainWindowAndClosingItEndsTheProgram) {
    SeedInOrder({L"https://uno.es/", L"https://dos.es/"});
    Presentación& welcome = Start();
    testing::Press(welcome.Controls().CommandTilu2);

    Form1& main = program_.form1;
    EXPECT_FALSE(welcome.IsLoaded());
    EXPECT_EQ(application_.LoadedForms(), std::vector<Form*>{&main});
    EXPECT_TRUE(IsWindowVisible(main.Hwnd()));
    EXPECT_EQ(Status(), L"Elemento seleccionado: 0 de 2");
    EXPECT_EQ(programEnds_, 0);

    PostMessageW(main.Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(application_.Run(), 0);
    EXPECT_TRUE(application_.LoadedForms().empty());
    EXPECT_EQ(programEnds_, 0);
}

TEST_F(PresentaciónTest, GeometryAndLook) {
    Presentación& welcome = Start();
    const Scale scale(welcome.Dpi());
    EXPECT_TRUE(testing::ClientAreaIs(welcome, 4005, 1950, {267, 130}));
    EXPECT_TRUE(testing::FrameIs(welcome, L"Administrador de historial - Tilu"));
    EXPECT_EQ(SendMessageW(welcome.Hwnd(), WM_GETICON, ICON_SMALL, 0), 0) << "no window icon";

    struct Button {
        const char* name;
        HWND hwnd;
        TwipsRect bounds;
    };
    PresentaciónControls& c = welcome.Controls();
    for (const Button& b : {Button{"Aceptar", c.CommandTilu2.Hwnd(), {2160, 1440, 1695, 375}},
                            Button{"Salir", c.CommandTilu1.Hwnd(), {120, 1440, 1695, 375}}}) {
        EXPECT_TRUE(testing::PlacedAt(welcome, b.hwnd, b.bounds)) << b.name;
    }

    const Canvas canvas(welcome);
    const POINT ruleMiddle = scale.Px(TwipsPoint{2520, 720});
    EXPECT_EQ(canvas.At(ruleMiddle.x, ruleMiddle.y), kOrange) << "the orange rule";
    EXPECT_EQ(canvas.At(ruleMiddle.x, ruleMiddle.y + 2), kPaleBlue);
    const POINT ruleEnd = scale.Px(TwipsPoint{3720, 720});
    EXPECT_EQ(canvas.At(ruleEnd.x, ruleEnd.y), kOrange) << "the rule includes its end";
    EXPECT_EQ(canvas.At(ruleEnd.x + 2, ruleEnd.y), kPaleBlue);
    const RECT greeting = scale.Px(TwipsRect{1320, 240, 2415, 495});
    const int middle = (greeting.top + greeting.bottom) / 2;
    EXPECT_TRUE(
        canvas.Contains(RECT{greeting.left, greeting.top, greeting.right, middle}, kDeepBlue));
    EXPECT_TRUE(
        canvas.Contains(RECT{greeting.left, middle, greeting.right, greeting.bottom}, kDeepBlue))
        << "the greeting wraps onto a second line";
    EXPECT_TRUE(canvas.Contains(scale.Px(TwipsRect{1320, 840, 2415, 255}), kMidBlue));
    const RECT logo = scale.Px(TwipsRect{240, 240, 840, 840});
    EXPECT_NE(canvas.At((logo.left + logo.right) / 2, (logo.top + logo.bottom) / 2), kPaleBlue);
}

}  // namespace
}  // namespace tilu::ui
