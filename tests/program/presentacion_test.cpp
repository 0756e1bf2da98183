// Program start and end: the welcome window alone at start with nothing read, its two buttons
// and its close box, and the program running out when the main window closes.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/startup.h"
#include "program_fixture.h"
#include "ui/layer/application.h"
#include "ui/windows/presentacion.h"

namespace tilu::ui {
namespace {

using testing::Canvas;

constexpr COLORREF kBackground = RGB(230, 237, 250);
constexpr COLORREF kGreetingText = RGB(33, 93, 198);
constexpr COLORREF kCreditText = RGB(109, 135, 221);
constexpr COLORREF kRule = RGB(255, 192, 128);
constexpr POINT kOnButtonFace{56, 12};

class PresentaciónTest : public testing::ProgramTest {
protected:
    Presentación& Start() {
        TheForm<Presentación>().Unload();
        TheForm<Form1>().Unload();
        counting_.Clear();
        StartProgram(registry_, key_.Path());
        return TheForm<Presentación>();
    }
    static void Press(CommandTilu& button) { testing::Click(button.Hwnd(), kOnButtonFace); }
};

TEST_F(PresentaciónTest, StartShowsOnlyTheWelcomeWindowAndReadsNothing) {
    SeedInOrder({L"https://uno.es/"});
    Presentación& welcome = Start();
    EXPECT_EQ(Application::Current().LoadedForms(), std::vector<Form*>{&welcome});
    EXPECT_TRUE(IsWindowVisible(welcome.Hwnd()));
    EXPECT_EQ(counting_.OperationCount(), 0u) << "the registry is not read before \"Aceptar\"";
    EXPECT_EQ(welcome.Controls().CommandTilu1.CaptionTilu(), L"Salir");
    EXPECT_EQ(welcome.Controls().CommandTilu2.CaptionTilu(), L"Aceptar");
    EXPECT_EQ(GetFocus(), welcome.Controls().CommandTilu1.Hwnd()) << "lowest in tab order";

    RECT window{};
    GetWindowRect(welcome.Hwnd(), &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(welcome.Hwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    EXPECT_NEAR(window.left + window.right, monitor.rcMonitor.left + monitor.rcMonitor.right, 1);
    EXPECT_NEAR(window.top + window.bottom, monitor.rcMonitor.top + monitor.rcMonitor.bottom, 1);
}

TEST_F(PresentaciónTest, SalirAndTheCloseBoxEndTheProgramAtOnce) {
    struct Case {
        const char* name;
        std::function<void(Presentación&)> leave;
    };
    const std::vector<Case> cases = {
        {"Salir", [](Presentación& w) { Press(w.Controls().CommandTilu1); }},
        {"close box", [](Presentación& w) { SendMessageW(w.Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Case& k : cases) {
        programEnds_ = 0;
        Presentación& welcome = Start();
        k.leave(welcome);
        EXPECT_EQ(programEnds_, 1) << k.name;
        EXPECT_FALSE(TheForm<Form1>().IsLoaded()) << k.name << ": the main window never opens";
        EXPECT_EQ(counting_.OperationCount(), 0u) << k.name << ": the history is never read";
    }
}

TEST_F(PresentaciónTest, AceptarOpensTheMainWindowAndClosingItEndsTheProgram) {
    SeedInOrder({L"https://uno.es/", L"https://dos.es/"});
    Presentación& welcome = Start();
    Press(welcome.Controls().CommandTilu2);

    Form1& main = TheForm<Form1>();
    EXPECT_FALSE(welcome.IsLoaded());
    EXPECT_EQ(Application::Current().LoadedForms(), std::vector<Form*>{&main});
    EXPECT_TRUE(IsWindowVisible(main.Hwnd()));
    EXPECT_EQ(Status(), L"Elemento seleccionado: 0 de 2");
    EXPECT_EQ(programEnds_, 0);

    PostMessageW(main.Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(Application::Current().Run(), 0);
    EXPECT_TRUE(Application::Current().LoadedForms().empty());
    EXPECT_EQ(programEnds_, 0);
}

TEST_F(PresentaciónTest, GeometryAndLook) {
    Presentación& welcome = Start();
    const Scale scale(welcome.Dpi());
    EXPECT_TRUE(testing::ClientAreaIs(welcome, 4005, 1950, {267, 130}));
    wchar_t title[64]{};
    GetWindowTextW(welcome.Hwnd(), title, 64);
    EXPECT_STREQ(title, L"Administrador de historial - Tilu");
    const LONG style = GetWindowLongW(welcome.Hwnd(), GWL_STYLE);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(SendMessageW(welcome.Hwnd(), WM_GETICON, ICON_SMALL, 0), 0) << "no window icon";

    struct Button {
        const char* name;
        HWND hwnd;
        TwipsRect bounds;
    };
    PresentaciónControls& c = welcome.Controls();
    for (const Button& b : {Button{"Aceptar", c.CommandTilu2.Hwnd(), {2160, 1440, 1695, 375}},
                            Button{"Salir", c.CommandTilu1.Hwnd(), {120, 1440, 1695, 375}}}) {
        RECT placed{};
        GetWindowRect(b.hwnd, &placed);
        MapWindowPoints(nullptr, welcome.Hwnd(), reinterpret_cast<POINT*>(&placed), 2);
        const RECT expected = scale.Px(b.bounds);
        EXPECT_TRUE(EqualRect(&placed, &expected)) << b.name;
    }

    const Canvas canvas(welcome);
    const POINT ruleMiddle = scale.Px(TwipsPoint{2520, 720});
    EXPECT_EQ(canvas.At(ruleMiddle.x, ruleMiddle.y), kRule) << "the orange rule";
    EXPECT_EQ(canvas.At(ruleMiddle.x, ruleMiddle.y + 2), kBackground);
    const POINT ruleEnd = scale.Px(TwipsPoint{3720, 720});
    EXPECT_EQ(canvas.At(ruleEnd.x, ruleEnd.y), kRule) << "the rule includes its end";
    EXPECT_EQ(canvas.At(ruleEnd.x + 2, ruleEnd.y), kBackground);
    const RECT greeting = scale.Px(TwipsRect{1320, 240, 2415, 495});
    const int middle = (greeting.top + greeting.bottom) / 2;
    EXPECT_TRUE(
        canvas.Contains(RECT{greeting.left, greeting.top, greeting.right, middle}, kGreetingText));
    EXPECT_TRUE(canvas.Contains(RECT{greeting.left, middle, greeting.right, greeting.bottom},
                                kGreetingText))
        << "the greeting wraps onto a second line";
    EXPECT_TRUE(canvas.Contains(scale.Px(TwipsRect{1320, 840, 2415, 255}), kCreditText));
    const RECT logo = scale.Px(TwipsRect{240, 240, 840, 840});
    EXPECT_NE(canvas.At((logo.left + logo.right) / 2, (logo.top + logo.bottom) / 2), kBackground);
}

}  // namespace
}  // namespace tilu::ui
