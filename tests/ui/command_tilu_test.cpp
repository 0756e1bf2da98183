// CommandTilu: input sequences in, look and events out; the caption property; keyboard focus
// and Tab; the faces and text colours painted off-screen.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/resources/resource_ids.h"
#include "ui/controls/command_tilu.h"
#include "ui/layer/form.h"
#include "ui/layer/resources.h"
#include "screen_colours.h"
#include "ui_test_support.h"

namespace tilu::ui {
namespace {

using testing::Canvas;
using testing::kDeepBlue;
using testing::kMidBlue;
using testing::kOrange;

class ButtonsForm;

// Two buttons in tab order: one of the design size and one 15 twips taller, whose bottom pixel
// row is bare surface.
struct ButtonsControls {
    explicit ButtonsControls(ButtonsForm& form);

    CommandTilu first;
    CommandTilu taller;
    std::vector<std::string> events;
};

FormDesign ButtonsDesign() {
    FormDesign design;
    design.caption = L"Botones";
    design.clientWidth = 2400;
    design.clientHeight = 1500;
    design.backColor = RGB(230, 237, 250);
    return design;
}

class ButtonsForm : public FormOf<ButtonsForm, ButtonsControls> {
public:
    explicit ButtonsForm(Application& application) : FormOf(application, ButtonsDesign()) {}
};

ButtonsControls::ButtonsControls(ButtonsForm& form)
    : first(form, ChildPlacement{{120, 120, 1695, 375}, 0}),
      taller(form, ChildPlacement{{120, 720, 1695, 390}, 1}) {
    first.PulsarBotón = [this] { events.push_back("first:PulsarBotón"); };
    first.PasarRatón = [this] { events.push_back("first:PasarRatón"); };
    taller.PulsarBotón = [this] { events.push_back("PulsarBotón"); };
    taller.PasarRatón = [this] { events.push_back("PasarRatón"); };
}

// The look: which face shows and the caption's colour.
struct Look {
    bool pressedFace;
    COLORREF text;
    bool operator==(const Look&) const = default;
};

Look LookOf(const CommandTilu& button) {
    EXPECT_NE(button.Normal().Visible(), button.Pulsado().Visible()) << "exactly one face";
    return Look{button.Pulsado().Visible(), button.Texto().ForeColor()};
}

std::ostream& operator<<(std::ostream& out, const Look& look) {
    char text[16];
    wsprintfA(text, "0x%06X", static_cast<unsigned>(look.text));
    return out << (look.pressedFace ? "Pulsado" : "Normal") << " " << text;
}

constexpr Look kReleased{false, kDeepBlue};
constexpr Look kMousePressed{true, kOrange};
constexpr Look kKeyPressed{true, kMidBlue};
constexpr Look kKeyReleased{false, kOrange};

// One input to the taller button.
enum class Input {
    Down,
    Up,
    UpElsewhere,
    Move,
    MoveWhileHeld,
    BareMove,
    Key,
    Repeat,
    KeyUp,
    SysKey,
    SysKeyUp,
    Blur
};
struct Step {
    Input input;
    UINT detail = 0;  // the mouse button or the key
};

constexpr TwipsPoint kOnFace{840, 180};
// lParam bits of a key message: Alt held (context code), and key released.
constexpr LPARAM kAltHeld = 1 << 29;
constexpr LPARAM kReleaseBits = static_cast<LPARAM>((1u << 31) | (1u << 30) | 1u);
constexpr TwipsPoint kOutside{4500, 180};

POINT At(const CommandTilu& button, TwipsPoint point) {
    return Scale(button.Dpi()).Px(point);
}

// The bottom pixel row of the taller button lies below the face.
POINT OnBareSurface(const CommandTilu& button) {
    const Scale scale(button.Dpi());
    RECT client{};
    GetClientRect(button.Hwnd(), &client);
    return POINT{scale.Px(kOnFace.x), client.bottom - 1};
}

void Apply(ButtonsControls& c, const Step& step) {
    const HWND hwnd = c.taller.Hwnd();
    const POINT onFace = At(c.taller, kOnFace);
    const POINT bare = OnBareSurface(c.taller);
    switch (step.input) {
        case Input::Down:
            testing::MouseDown(hwnd, step.detail, onFace);
            break;
        case Input::Up:
            testing::MouseUp(hwnd, step.detail, onFace);
            break;
        case Input::UpElsewhere:
            testing::MouseUp(hwnd, step.detail, At(c.taller, kOutside));
            break;
        case Input::Move:
            testing::MouseMove(hwnd, onFace);
            break;
        case Input::MoveWhileHeld:
            testing::MouseMove(hwnd, bare, MK_LBUTTON);
            break;
        case Input::BareMove:
            testing::MouseMove(hwnd, bare);
            break;
        case Input::Key:
            testing::KeyDown(hwnd, step.detail);
            break;
        case Input::Repeat:
            testing::KeyDown(hwnd, step.detail, /*repeat=*/true);
            break;
        case Input::KeyUp:
            testing::KeyUp(hwnd, step.detail);
            break;
        case Input::SysKey:
            SendMessageW(hwnd, WM_SYSKEYDOWN, step.detail, kAltHeld | 1);
            break;
        case Input::SysKeyUp:
            SendMessageW(hwnd, WM_SYSKEYUP, step.detail, kAltHeld | kReleaseBits);
            break;
        case Input::Blur:
            SetFocus(c.first.Hwnd());
            break;
    }
}

class CommandTiluTest : public testing::WindowTest {
protected:
    ButtonsForm form_{application_};

    // A freshly loaded window, shown, with the focus on the taller button.
    ButtonsControls& Fresh() {
        ButtonsForm& form = form_;
        form.Unload();
        form.Show();
        ButtonsControls& c = form.Controls();
        SetFocus(c.taller.Hwnd());
        return c;
    }
};

TEST_F(CommandTiluTest, InputSequencesGiveLooksAndEvents) {
    using enum Input;
    struct Case {
        const char* name;
        std::vector<Step> steps;
        Look look;
        std::vector<std::string> events;
    };
    const std::vector<Case> cases = {
        {"created", {}, kReleased, {}},
        {"left button down", {{Down, MK_LBUTTON}}, kMousePressed, {}},
        {"left click", {{Down, MK_LBUTTON}, {Up, MK_LBUTTON}}, kReleased, {"PulsarBotón"}},
        {"right click", {{Down, MK_RBUTTON}, {Up, MK_RBUTTON}}, kReleased, {"PulsarBotón"}},
        {"middle click", {{Down, MK_MBUTTON}, {Up, MK_MBUTTON}}, kReleased, {"PulsarBotón"}},
        {"release away from the button still reaches Botón",
         {{Down, MK_LBUTTON}, {UpElsewhere, MK_LBUTTON}},
         kReleased,
         {"PulsarBotón"}},
        {"moves while held keep the pressed face",
         {{Down, MK_LBUTTON}, {Move}, {MoveWhileHeld}},
         kMousePressed,
         {"PasarRatón", "PasarRatón"}},
        {"move over the face", {{Move}}, kReleased, {"PasarRatón"}},
        {"move over the bare surface releases any look", {{Key, 'A'}, {BareMove}}, kReleased, {}},
        {"key down", {{Key, 'A'}}, kKeyPressed, {}},
        {"auto-repeat keeps the pressed face",
         {{Key, 'A'}, {Repeat, 'A'}, {Repeat, 'A'}},
         kKeyPressed,
         {}},
        {"letter key press and release", {{Key, 'A'}, {KeyUp, 'A'}}, kKeyReleased, {"PulsarBotón"}},
        {"auto-repeated key clicks once",
         {{Key, VK_SPACE}, {Repeat, VK_SPACE}, {KeyUp, VK_SPACE}},
         kKeyReleased,
         {"PulsarBotón"}},
        {"light orange stays after a move over the face",
         {{Key, VK_RETURN}, {KeyUp, VK_RETURN}, {Move}},
         kKeyReleased,
         {"PulsarBotón", "PasarRatón"}},
        {"a mouse release sets the resting colour again",
         {{Key, VK_RETURN}, {KeyUp, VK_RETURN}, {Down, MK_LBUTTON}, {Up, MK_LBUTTON}},
         kReleased,
         {"PulsarBotón", "PulsarBotón"}},
        {"each key pressed here counts",
         {{Key, VK_SHIFT}, {Key, 'A'}, {KeyUp, 'A'}, {KeyUp, VK_SHIFT}},
         kKeyReleased,
         {"PulsarBotón", "PulsarBotón"}},
        {"Alt counts like any key",
         {{SysKey, VK_MENU}, {SysKeyUp, VK_MENU}},
         kKeyReleased,
         {"PulsarBotón"}},
        {"release of a key pressed elsewhere does nothing", {{KeyUp, VK_RETURN}}, kReleased, {}},
        {"release of another key than the one pressed",
         {{Key, 'A'}, {KeyUp, 'B'}},
         kKeyPressed,
         {}},
        {"the focus left between press and release",
         {{Key, 'A'}, {Blur}, {KeyUp, 'A'}},
         kKeyPressed,
         {}},
    };
    for (const Case& k : cases) {
        ButtonsControls& c = Fresh();
        for (const Step& step : k.steps) {
            Apply(c, step);
        }
        EXPECT_EQ(LookOf(c.taller), k.look) << k.name;
        EXPECT_EQ(c.events, k.events) << k.name;
    }
}

TEST_F(CommandTiluTest, TabMovesTheFocusAndNeverClicks) {
    ButtonsControls& c = Fresh();
    SetFocus(c.first.Hwnd());
    // Through the message loop, as the keyboard delivers it.
    testing::LoopKeyDown(application_, c.first.Hwnd(), VK_TAB);
    EXPECT_EQ(GetFocus(), c.taller.Hwnd());
    testing::LoopKeyUp(application_, c.taller.Hwnd(), VK_TAB);
    EXPECT_TRUE(c.events.empty());
    EXPECT_EQ(LookOf(c.first), kReleased);
    EXPECT_EQ(LookOf(c.taller), kReleased);

    // Straight to the control, without the loop's navigation.
    testing::KeyDown(c.taller.Hwnd(), VK_TAB);
    EXPECT_EQ(GetFocus(), c.first.Hwnd());
    testing::KeyUp(c.first.Hwnd(), VK_TAB);
    EXPECT_TRUE(c.events.empty());
    EXPECT_EQ(LookOf(c.first), kReleased);
}

TEST_F(CommandTiluTest, FocusAndKeysThroughTheLoop) {
    ButtonsForm& form = form_;
    form.Show();
    ButtonsControls& c = form.Controls();
    EXPECT_EQ(GetFocus(), c.first.Hwnd()) << "lowest tab index has the focus when shown";
    // The Enter that started the program is released after the window appeared.
    testing::LoopKeyUp(application_, c.first.Hwnd(), VK_RETURN);
    EXPECT_TRUE(c.events.empty());
    testing::LoopKeyDown(application_, c.first.Hwnd(), VK_RETURN);
    testing::LoopKeyUp(application_, c.first.Hwnd(), VK_RETURN);
    EXPECT_EQ(c.events, std::vector<std::string>{"first:PulsarBotón"});
}

TEST_F(CommandTiluTest, PressTakesTheFocus) {
    ButtonsControls& c = Fresh();
    SetFocus(c.first.Hwnd());
    testing::MouseDown(c.taller.Hwnd(), MK_RBUTTON, At(c.taller, kOnFace));
    EXPECT_EQ(GetFocus(), c.taller.Hwnd());
    testing::MouseUp(c.taller.Hwnd(), MK_RBUTTON, At(c.taller, kOnFace));
}

TEST_F(CommandTiluTest, HandPointerOverTheFaceOnly) {
    ButtonsControls& c = Fresh();
    const Lightweight* face = c.taller.HitTest(At(c.taller, kOnFace));
    ASSERT_EQ(face, &c.taller.Botón()) << "Botón covers the face and takes the mouse";
    EXPECT_EQ(face->Pointer(), LoadPointer(IDC_HAND_POINTER));
    EXPECT_NE(face->Pointer(), nullptr);
    EXPECT_EQ(c.taller.HitTest(OnBareSurface(c.taller)), nullptr);
}

TEST_F(CommandTiluTest, LosingTheMouseMidPressLeavesNoPressedFace) {
    ButtonsControls& c = Fresh();
    testing::MouseDown(c.taller.Hwnd(), MK_LBUTTON, At(c.taller, kOnFace));
    SendMessageW(c.taller.Hwnd(), WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(c.first.Hwnd()));
    EXPECT_EQ(LookOf(c.taller), kReleased);
    testing::MouseUp(c.taller.Hwnd(), MK_LBUTTON, At(c.taller, kOnFace));
    EXPECT_TRUE(c.events.empty()) << "the release after the loss belongs to no press";
}

TEST_F(CommandTiluTest, CaptionIsKeptAsTextAndShown) {
    struct Case {
        const char* name;
        std::function<void(CommandTilu&)> write;
        std::wstring expected;
    };
    const std::vector<Case> cases = {
        {"before any write", [](CommandTilu&) {}, L""},
        {"method Caption", [](CommandTilu& b) { b.Caption(L"Aceptar"); }, L"Aceptar"},
        {"property, text", [](CommandTilu& b) { b.CaptionTilu(std::wstring(L"Salir")); }, L"Salir"},
        {"property, the number 5", [](CommandTilu& b) { b.CaptionTilu(5); }, L"5"},
        {"property, a negative number", [](CommandTilu& b) { b.CaptionTilu(-12L); }, L"-12"},
        {"last write wins",
         [](CommandTilu& b) {
             b.CaptionTilu(L"uno");
             b.Caption(L"dos");
         },
         L"dos"},
        {"empty text", [](CommandTilu& b) { b.CaptionTilu(L""); }, L""},
    };
    for (const Case& k : cases) {
        CommandTilu& button = Fresh().first;
        k.write(button);
        EXPECT_EQ(button.CaptionTilu(), k.expected) << k.name;
        EXPECT_EQ(button.Texto().Caption(), k.expected) << k.name;
    }
    const std::wstring fraction = CaptionText(2.5);
    EXPECT_TRUE(fraction == L"2.5" || fraction == L"2,5");
}

TEST_F(CommandTiluTest, AHandlerMayDestroyTheButton) {
    ButtonsForm& form = form_;
    form.Unload();
    ButtonsControls& c = form.Controls();
    c.taller.PulsarBotón = [&form] { form.Unload(); };
    testing::Click(c.taller.Hwnd(), At(c.taller, kOnFace));
    EXPECT_FALSE(form.IsLoaded());

    ButtonsControls& again = form.Controls();
    SetFocus(again.taller.Hwnd());
    again.taller.PulsarBotón = [&form] { form.Unload(); };
    testing::KeyDown(again.taller.Hwnd(), VK_SPACE);
    testing::KeyUp(again.taller.Hwnd(), VK_SPACE);
    EXPECT_FALSE(form.IsLoaded());
}

// Colour classes of the face artwork.
bool DarkBlue(COLORREF c) {
    return GetBValue(c) > GetRValue(c) + 50 && GetBValue(c) > GetGValue(c) &&
           GetRValue(c) + GetGValue(c) + GetBValue(c) < 360;
}
bool Orange(COLORREF c) {
    return GetRValue(c) > 200 && GetGValue(c) > 90 && GetGValue(c) < 210 && GetBValue(c) < 90;
}
int Brightness(COLORREF c) {
    return GetRValue(c) + GetGValue(c) + GetBValue(c);
}

TEST_F(CommandTiluTest, FacesAndTextColoursPaintedOffScreen) {
    ASSERT_TRUE(FindResourceW(nullptr, MAKEINTRESOURCEW(IDB_FACE_NORMAL), RT_BITMAP));
    struct Case {
        const char* name;
        std::vector<Step> steps;
        bool lightAtTop;  // Normal: white at the top; Pulsado: pale blue at the top
        COLORREF text;
    };
    using enum Input;
    const std::vector<Case> cases = {
        {"released", {}, true, kDeepBlue},
        {"pressed by the mouse", {{Down, MK_LBUTTON}}, false, kOrange},
        {"pressed by a key", {{Key, 'A'}}, false, kMidBlue},
        {"released by a key", {{Key, 'A'}, {KeyUp, 'A'}}, true, kOrange},
    };
    for (const Case& k : cases) {
        ButtonsControls& c = Fresh();
        for (const Step& step : k.steps) {
            Apply(c, step);
        }
        const Scale scale(c.taller.Dpi());
        // A pixel of the face artwork (113 x 25) where it lands at this DPI.
        const auto face = [&](const Canvas& canvas, int x, int y) {
            const auto centre = [&](int pixel) {
                return static_cast<int>((2 * pixel + 1) * scale.Dpi() / (2 * kDefaultDpi));
            };
            return canvas.At(centre(x), centre(y));
        };
        const Canvas blank(c.taller);
        if (scale.Dpi() == kDefaultDpi) {
            // One-pixel borders stay crisp only where the bitmap is drawn one to one.
            EXPECT_TRUE(DarkBlue(face(blank, 56, 0))) << k.name << ": outer border, top";
            EXPECT_TRUE(DarkBlue(face(blank, 0, 12))) << k.name << ": outer border, left";
            EXPECT_TRUE(Orange(face(blank, 56, 1))) << k.name << ": inner border, top";
            EXPECT_TRUE(Orange(face(blank, 111, 12))) << k.name << ": inner border, right";
        }
        const COLORREF top = face(blank, 3, 3);
        const COLORREF bottom = face(blank, 3, 19);
        EXPECT_EQ(Brightness(top) > Brightness(bottom), k.lightAtTop) << k.name << ": shading";
        const POINT bare = OnBareSurface(c.taller);
        EXPECT_EQ(blank.At(bare.x, bare.y), ButtonsDesign().backColor)
            << k.name << ": bare surface";

        c.taller.Caption(L"Aceptar");
        const Canvas captioned(c.taller);
        EXPECT_TRUE(captioned.Contains(scale.Px(TwipsRect{15, 75, 1665, 285}), k.text))
            << k.name << ": text colour";
    }
}

TEST_F(CommandTiluTest, CaptionIsCentred) {
    ButtonsControls& c = Fresh();
    c.taller.Caption(L"Ok");
    const Canvas canvas(c.taller);
    const Scale scale(c.taller.Dpi());
    const COLORREF text = kDeepBlue;
    int left = -1;
    int right = -1;
    for (int x = 0; x < canvas.Width(); ++x) {
        for (int y = scale.Px(75); y < scale.Px(360); ++y) {
            if (canvas.At(x, y) == text) {
                right = x;
                left = left < 0 ? x : left;
            }
        }
    }
    ASSERT_GE(left, 0);
    EXPECT_NEAR((left + right) / 2.0, scale.Px(1695) / 2.0, 2.0);
}

}  // namespace
}  // namespace tilu::ui
