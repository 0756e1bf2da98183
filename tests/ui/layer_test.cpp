// The window layer: scaling, stacking and hit-testing of lightweight controls, clicks, painting,
// the lifetime of a window (load, unload, reload from its design), modal show, failures raised
// by reactions, and what a screen reader reaches.
#include <windows.h>

#include <oleacc.h>
#include <wrl/client.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/layer/form.h"
#include "ui/layer/label.h"
#include "ui/layer/line.h"
#include "ui/layer/picture.h"
#include "ui_test_support.h"

namespace tilu::ui {
namespace {

using testing::Canvas;

constexpr COLORREF kBack = RGB(230, 237, 250);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kLineColor = RGB(255, 192, 128);
constexpr wchar_t kDesignCaption[] = L"de diseño";
constexpr wchar_t kLoadCaption[] = L"cargado";

class StackForm;

// Front to back: a transparent label over an opaque box over a line over a picture. The
// picture's resource does not exist, so it draws nothing and still takes the mouse.
struct StackControls {
    explicit StackControls(StackForm& form);

    Label front;
    Label box;
    Line line;
    Picture picture;
    Label loaded;
    int frontClicks = 0;
    int boxClicks = 0;
    int pictureClicks = 0;
};

FormDesign StackDesign(Placement placement) {
    FormDesign design;
    design.caption = L"Pila";
    design.clientWidth = 3000;  // 200 x 100 pixels at 96 DPI
    design.clientHeight = 1500;
    design.backColor = kBack;
    design.placement = placement;
    return design;
}

class StackForm : public FormOf<StackForm, StackControls> {
public:
    explicit StackForm(Application& application)
        : FormOf(application, StackDesign(Placement::Centred)) {}

    int loads = 0;
    std::function<void()> onLoad;
    std::function<void()> onDestroy;

protected:
    // The text, then the box and the picture as buttons that a click on them presses.
    std::vector<AccessibleElement> AccessibleChildren() const override {
        const StackControls* c = LoadedControls();
        if (!c) {
            return {};
        }
        const auto button = [](const Lightweight& piece) {
            return AccessibleElement{.role = ROLE_SYSTEM_PUSHBUTTON,
                                     .action = kPressAction,
                                     .perform = [&piece] { Raise(piece.Click); }};
        };
        return {{.name = c->front.Caption()}, button(c->box), button(c->picture)};
    }
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        // onDestroy runs once the form has handled WM_DESTROY.
        const LRESULT result = FormOf::OnMessage(message, wParam, lParam);
        if (message == WM_DESTROY && onDestroy) {
            onDestroy();
        }
        return result;
    }

    void OnLoad() override {
        ++loads;
        Controls().loaded.SetCaption(kLoadCaption);
        if (onLoad) {
            onLoad();
        }
    }
};

LabelDesign LabelAt(TwipsRect bounds, std::wstring caption, COLORREF foreColor,
                    std::optional<COLORREF> backColor = std::nullopt, bool border = false) {
    LabelDesign design;
    design.bounds = bounds;
    design.caption = std::move(caption);
    design.foreColor = foreColor;
    design.backColor = backColor;
    design.border = border;
    return design;
}

PictureDesign MissingIconAt(TwipsRect bounds) {
    PictureDesign design;
    design.bounds = bounds;
    design.image = {ImageKind::Icon, 9999, {48, 48}};
    return design;
}

StackControls::StackControls(StackForm& form)
    : front(form, LabelAt({300, 300, 1500, 600}, L"texto", kBlue)),
      box(form, LabelAt({150, 150, 2100, 900}, L"", kBlue, kRed, true)),
      line(form, LineDesign{{0, 1200}, {2985, 1200}, kLineColor}),
      picture(form, MissingIconAt({1500, 750, 1200, 750})),
      loaded(form, LabelAt({2400, 0, 600, 255}, kDesignCaption, kBlue)) {
    front.Click = [this] { ++frontClicks; };
    box.Click = [this] { ++boxClicks; };
    picture.Click = [this] { ++pictureClicks; };
}

// A second window for the modal tests, placed where Windows puts new windows.
class OtherForm : public Form {
public:
    explicit OtherForm(Application& application)
        : Form(application, StackDesign(Placement::SystemDefault)) {}
};

class LayerTest : public testing::WindowTest {
protected:
    StackForm stack_{application_};
    OtherForm other_{application_};
};

constexpr TwipsPoint kOnFront{450, 450};  // the transparent label, over the box
constexpr TwipsPoint kOnBox{180, 180};    // the box alone

POINT At(const Form& form, TwipsPoint point) {
    return Scale(form.Dpi()).Px(point);
}

TEST(ScaleTest, TwipsToPixelsAtEachDpi) {
    struct Case {
        UINT dpi;
        Twips twips;
        int pixels;
    };
    const Case cases[] = {
        {96, 15, 1},      {96, 1695, 113},  {96, 4155, 277},  {96, -255, -17}, {144, 15, 2},
        {144, 1695, 170}, {144, 1605, 161}, {120, 1440, 120}, {0, 1605, 107},  // no DPI known yet:
                                                                               // 96
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Scale(c.dpi).Px(c.twips), c.pixels) << c.twips << " twips at " << c.dpi;
    }
    EXPECT_EQ(Scale(144).FromDefaultDpi(48), 72);
}

TEST_F(LayerTest, ClientAreaHasTheDesignSize) {
    StackForm& form = stack_;
    form.Load();
    EXPECT_TRUE(testing::ClientAreaIs(form, 3000, 1500, {200, 100}));
    EXPECT_TRUE(testing::FrameIs(form, L"Pila"));
}

TEST_F(LayerTest, ClickReachesTheFrontmostControlThatTakesTheMouse) {
    StackForm& form = stack_;
    StackControls& c = form.Controls();
    struct Case {
        const char* where;
        TwipsPoint point;
        int front, box, picture;
    };
    const Case cases[] = {
        {"transparent label over the box", kOnFront, 1, 0, 0},
        {"box alone", kOnBox, 0, 1, 0},
        {"box over the picture", {1950, 825}, 0, 1, 0},
        {"picture alone", {2550, 900}, 0, 0, 1},
        {"line over the picture: lines let the mouse through", {2250, 1200}, 0, 0, 1},
        {"bare window", {75, 1425}, 0, 0, 0},
    };
    for (const Case& k : cases) {
        c.frontClicks = c.boxClicks = c.pictureClicks = 0;
        testing::Click(form.Hwnd(), At(form, k.point));
        EXPECT_EQ(c.frontClicks, k.front) << k.where;
        EXPECT_EQ(c.boxClicks, k.box) << k.where;
        EXPECT_EQ(c.pictureClicks, k.picture) << k.where;
    }
}

TEST_F(LayerTest, OnlyALeftPressAndReleaseOnTheSameControlClicks) {
    StackForm& form = stack_;
    StackControls& c = form.Controls();
    int downs = 0;
    int ups = 0;
    c.front.MouseDown = [&](const MouseInput&) { ++downs; };
    c.front.MouseUp = [&](const MouseInput&) { ++ups; };
    const HWND hwnd = form.Hwnd();
    const POINT onFront = At(form, kOnFront);

    testing::Click(hwnd, onFront, MK_RBUTTON);
    testing::Click(hwnd, onFront, MK_MBUTTON);
    EXPECT_EQ(c.frontClicks, 0) << "right and middle buttons";
    EXPECT_EQ(downs, 2);
    EXPECT_EQ(ups, 2);

    testing::MouseDown(hwnd, MK_LBUTTON, onFront);
    testing::MouseUp(hwnd, MK_LBUTTON, At(form, kOnBox));
    EXPECT_EQ(c.frontClicks, 0) << "released over another control";
    EXPECT_EQ(c.boxClicks, 0) << "released over another control";
    EXPECT_EQ(ups, 3) << "the release goes to the pressed control";

    testing::MouseUp(hwnd, MK_LBUTTON, onFront);
    EXPECT_EQ(ups, 3) << "a release without a press here";
    EXPECT_EQ(c.frontClicks, 0);
}

TEST_F(LayerTest, DoubleClickRunsOneClick) {
    StackForm& form = stack_;
    StackControls& c = form.Controls();
    const POINT onBox = At(form, kOnBox);
    testing::MouseDown(form.Hwnd(), MK_LBUTTON, onBox);
    testing::MouseUp(form.Hwnd(), MK_LBUTTON, onBox);
    testing::MouseDown(form.Hwnd(), MK_LBUTTON, onBox, /*secondOfDouble=*/true);
    testing::MouseUp(form.Hwnd(), MK_LBUTTON, onBox);
    EXPECT_EQ(c.boxClicks, 1);
}

TEST_F(LayerTest, PaintsBackToFrontAndTransparentLabelsShowWhatLiesBehind) {
    StackForm& form = stack_;
    StackControls& c = form.Controls();
    const Scale scale(form.Dpi());
    const Canvas canvas(form);
    EXPECT_EQ(canvas.At(2, 2), kBack) << "window background";
    EXPECT_EQ(canvas.At(scale.Px(150), scale.Px(150)), GetSysColor(COLOR_WINDOWFRAME))
        << "flat border";
    EXPECT_EQ(canvas.At(scale.Px(1700), scale.Px(800)), kRed) << "box background";
    // The transparent label shows the box behind it beside its text, and its text.
    const RECT front = scale.Px(c.front.Bounds());
    EXPECT_EQ(canvas.At(front.right - 2, front.bottom - 2), kRed);
    EXPECT_TRUE(canvas.Contains(front, kBlue)) << "text colour";
    EXPECT_EQ(canvas.At(scale.Px(2900), scale.Px(1200)), kLineColor) << "line beside the box";
    EXPECT_EQ(canvas.At(scale.Px(2000), scale.Px(1200)), kLineColor) << "line over the picture";
}

TEST_F(LayerTest, APartialRepaintPutsOnScreenExactlyWhatThatAreaShows) {
    stack_.Show();
    UpdateWindow(stack_.Hwnd());
    const Canvas drawn(stack_);
    const RECT area{5, 7, 41, 31};  // across the box's border and the text
    const HDC screen = GetDC(stack_.Hwnd());
    PatBlt(screen, 0, 0, drawn.Width(), drawn.Height(), BLACKNESS);
    RedrawWindow(stack_.Hwnd(), &area, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    int wrong = 0;  // in the area and the ring of pixels around it
    for (int y = area.top - 1; y <= area.bottom; ++y) {
        for (int x = area.left - 1; x <= area.right; ++x) {
            const bool inside = PtInRect(&area, POINT{x, y});
            wrong += GetPixel(screen, x, y) != (inside ? drawn.At(x, y) : RGB(0, 0, 0));
        }
    }
    ReleaseDC(stack_.Hwnd(), screen);
    EXPECT_EQ(wrong, 0);
}

TEST_F(LayerTest, HiddenControlsNeitherPaintNorTakeTheMouse) {
    StackForm& form = stack_;
    StackControls& c = form.Controls();
    c.box.SetVisible(false);
    const Scale scale(form.Dpi());
    EXPECT_EQ(Canvas(form).At(scale.Px(1700), scale.Px(800)), kBack);
    testing::Click(form.Hwnd(), At(form, kOnBox));
    EXPECT_EQ(c.boxClicks, 0);
}

TEST_F(LayerTest, LabelTextWrapsAtBlanksInsideItsBox) {
    StackForm& form = stack_;
    StackControls& c = form.Controls();
    const Scale scale(form.Dpi());
    const RECT box = scale.Px(c.front.Bounds());
    const RECT secondLine{box.left, box.top + scale.Px(240), box.right, box.bottom};
    EXPECT_FALSE(Canvas(form).Contains(secondLine, kBlue)) << "one word, one line";
    c.front.SetCaption(L"una frase bastante larga para dos líneas");
    const Canvas canvas(form);
    EXPECT_TRUE(canvas.Contains(secondLine, kBlue)) << "wrapped onto a second line";
    const RECT rightOfBox{box.right, box.top, box.right + 20, box.bottom};
    EXPECT_FALSE(canvas.Contains(rightOfBox, kBlue)) << "nothing drawn past the box";
}

TEST_F(LayerTest, AccessLoadsTheWindowAndRunsItsLoadReactionFirst) {
    StackForm& form = stack_;
    ASSERT_FALSE(form.IsLoaded());
    const int loadsBefore = form.loads;
    EXPECT_EQ(form.Controls().loaded.Caption(), kLoadCaption);
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_EQ(form.loads, loadsBefore + 1);
    form.Show();
    EXPECT_EQ(form.loads, loadsBefore + 1) << "showing a loaded window does not load it again";
    EXPECT_TRUE(IsWindowVisible(form.Hwnd()));
}

TEST_F(LayerTest, UnloadDiscardsTheContentsAndTheNextUseReloadsTheDesign) {
    StackForm& form = stack_;
    const int loadsBefore = form.loads;
    form.Controls().front.SetCaption(L"cambiado");
    form.onLoad = [&form] { EXPECT_EQ(form.Controls().front.Caption(), L"texto"); };
    form.Unload();
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(form.Controls().front.Caption(), L"texto");
    EXPECT_EQ(form.loads, loadsBefore + 2);
    form.onLoad = nullptr;
}

TEST_F(LayerTest, TheCloseBoxUnloads) {
    StackForm& form = stack_;
    form.Show();
    SendMessageW(form.Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(form.IsLoaded());
}

TEST_F(LayerTest, ModalShowDisablesTheOtherWindowsUntilTheDialogIsUnloaded) {
    OtherForm& other = other_;
    other.Show();
    // A window opened later stands above the active one, as another program's may: the system
    // would activate it if the dialog went while active.
    OtherForm later(application_);
    later.Show();
    SetActiveWindow(other.Hwnd());
    SetWindowPos(later.Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    StackForm& dialog = stack_;
    bool ranInsideLoop = false;
    OnModalLoop([&](Form& shown) {
        ranInsideLoop = true;
        EXPECT_EQ(&shown, &dialog);
        EXPECT_TRUE(IsWindowVisible(dialog.Hwnd()));
        EXPECT_FALSE(IsWindowEnabled(other.Hwnd())) << "the other window is disabled";
        EXPECT_TRUE(IsWindowEnabled(dialog.Hwnd()));
        shown.Unload();
    });
    dialog.onDestroy = [&] { EXPECT_EQ(GetActiveWindow(), other.Hwnd()) << "active again first"; };
    dialog.ShowModal();
    EXPECT_TRUE(ranInsideLoop) << "returned before its loop ran";
    EXPECT_FALSE(dialog.IsLoaded());
    EXPECT_TRUE(IsWindowEnabled(other.Hwnd()));
}

TEST_F(LayerTest, ModalLoopReturnsOnlyWhenTheDialogIsUnloaded) {
    StackForm& dialog = stack_;
    int clicksSeenInLoop = 0;
    platform_.modalLoopStarted = [&](Form&) {
        // Input keeps flowing inside the loop; posted messages are dispatched there. The close
        // at the end only matters if the click did not unload the dialog.
        const POINT onBox = At(dialog, kOnBox);
        PostMessageW(dialog.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onBox.x, onBox.y));
        PostMessageW(dialog.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(onBox.x, onBox.y));
        PostMessageW(dialog.Hwnd(), WM_CLOSE, 0, 0);
        dialog.Controls().box.Click = [&] {
            ++clicksSeenInLoop;
            dialog.Unload();
        };
    };
    dialog.ShowModal();
    EXPECT_EQ(clicksSeenInLoop, 1);
    EXPECT_FALSE(dialog.IsLoaded());
}

TEST_F(LayerTest, FailureInAReactionReachesTheLoopNotTheSystem) {
    StackForm& form = stack_;
    form.Controls().box.Click = [] { throw std::runtime_error("fallo"); };
    const POINT onBox = At(form, kOnBox);
    testing::Click(form.Hwnd(), onBox);  // must return normally
    EXPECT_THROW(application_.RethrowFailure(), std::runtime_error);

    MSG message{form.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onBox.x, onBox.y), 0, {}};
    application_.Dispatch(message);
    message.message = WM_LBUTTONUP;
    message.wParam = 0;
    EXPECT_THROW(application_.Dispatch(message), std::runtime_error);
}

TEST_F(LayerTest, AFormDestroyedWhileLoadedTakesItsWindowAndLeavesTheApplication) {
    other_.Show();
    HWND hwnd = nullptr;
    {
        StackForm form(application_);
        form.Show();
        hwnd = form.Hwnd();
    }
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(application_.LoadedForms(), std::vector<Form*>{&other_});
}

TEST_F(LayerTest, RunEndsWhenTheLastLoadedWindowIsUnloaded) {
    OtherForm& first = other_;
    StackForm& second = stack_;
    first.Show();
    second.Show();
    PostMessageW(second.Hwnd(), WM_CLOSE, 0, 0);
    PostMessageW(first.Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(application_.Run(), 0);
    EXPECT_TRUE(application_.LoadedForms().empty());
}

VARIANT Id(LONG id) {
    VARIANT v{};
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

// A screen reader's view of the window, through the object it answers WM_GETOBJECT with.
class AccessibleTest : public LayerTest {
protected:
    AccessibleTest() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~AccessibleTest() override { CoUninitialize(); }
    Microsoft::WRL::ComPtr<IAccessible> Object() {
        Microsoft::WRL::ComPtr<IAccessible> object;
        stack_.Load();
        AccessibleObjectFromWindow(stack_.Hwnd(), static_cast<DWORD>(OBJID_CLIENT),
                                   IID_PPV_ARGS(&object));
        return object;
    }
};

// Every request, out-parameters holding garbage: failed, each must leave them empty. Asked of an
// unknown element, then of the window's object after the window closed and the form opened a
// new one, which that object must not reach.
TEST_F(AccessibleTest, FailedRequestsLeaveTheirOutParametersEmpty) {
    const auto gone = Object();
    stack_.Unload();
    for (const auto& [o, id, failure] : {std::tuple{Object(), LONG{99}, E_INVALIDARG},
                                         {gone, CHILDID_SELF, CO_E_OBJNOTCONNECTED}}) {
        const bool wholeWindow = id == CHILDID_SELF;  // its questions about the whole window too
        const VARIANT child = Id(id);
        for (const auto get :
             {&IAccessible::get_accName, &IAccessible::get_accValue,
              &IAccessible::get_accDescription, &IAccessible::get_accHelp,
              &IAccessible::get_accKeyboardShortcut, &IAccessible::get_accDefaultAction}) {
            BSTR text = reinterpret_cast<BSTR>(8);
            EXPECT_EQ((o.Get()->*get)(child, &text), failure);
            EXPECT_EQ(text, nullptr);
        }
        VARIANT v[] = {Id(7), Id(7), Id(7), Id(7), Id(7), Id(7)};
        auto* object = reinterpret_cast<IDispatch*>(8);
        long x = 1, y = 1, w = 1, h = 1, count = 1;
        EXPECT_EQ(o->get_accRole(child, &v[0]), failure);
        EXPECT_EQ(o->get_accState(child, &v[1]), failure);
        EXPECT_EQ(o->accNavigate(NAVDIR_NEXT, child, &v[2]), failure);
        EXPECT_EQ(o->get_accChild(child, &object), failure);
        EXPECT_EQ(o->accLocation(&x, &y, &w, &h, child), failure);
        if (wholeWindow) {
            EXPECT_EQ(o->get_accFocus(&v[3]), failure);
            EXPECT_EQ(o->get_accSelection(&v[4]), failure);
            EXPECT_EQ(o->accHitTest(0, 0, &v[5]), failure);
            EXPECT_EQ(o->get_accParent(&object), failure);
            EXPECT_EQ(o->get_accChildCount(&count), failure);
        }
        const auto asked = wholeWindow ? std::size(v) : 3;
        EXPECT_TRUE(std::all_of(v, v + asked, [](const VARIANT& e) { return e.vt == VT_EMPTY; }));
        EXPECT_EQ(object, nullptr);
        EXPECT_EQ(x | y | w | h | (wholeWindow ? count : 0), 0);
    }
}

// A request while the window is going (a child's destruction can bring one) gets no object of
// ours: it would outlive the window, connected to nothing.
TEST_F(AccessibleTest, AWindowThatIsGoingServesNoObject) {
    Object();
    LRESULT answer = -1;
    stack_.onDestroy = [&] {
        answer = SendMessageW(stack_.Hwnd(), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
    };
    stack_.Unload();
    EXPECT_EQ(answer, 0);
}

TEST_F(AccessibleTest, NavigationWalksTheReadingOrderBothWays) {
    const auto object = Object();
    for (const auto& [first, step, order] : {std::tuple{NAVDIR_FIRSTCHILD, NAVDIR_NEXT, "123"},
                                             {NAVDIR_LASTCHILD, NAVDIR_PREVIOUS, "321"}}) {
        std::string walked;
        VARIANT at = Id(CHILDID_SELF);
        for (long direction = first; walked.size() < 4; direction = step) {
            if (object->accNavigate(direction, at, &at) != S_OK || at.vt != VT_I4) {
                break;
            }
            walked += std::to_string(at.lVal);
        }
        EXPECT_EQ(walked, order);
    }
}

TEST_F(AccessibleTest, ADefaultActionRunsItsOwnElementsOnlyIfTheWindowStillTakesClicks) {
    const auto object = Object();
    // The first is refused when it runs: a modal dialog opened before the window's loop took it.
    for (const bool disabledMeanwhile : {true, false}) {
        EXPECT_EQ(object->accDoDefaultAction(Id(3)), S_OK);
        EnableWindow(stack_.Hwnd(), !disabledMeanwhile);
        testing::PumpPending(application_);
        EnableWindow(stack_.Hwnd(), TRUE);
    }
    EXPECT_EQ(stack_.Controls().pictureClicks, 1);
    EXPECT_EQ(stack_.Controls().boxClicks, 0);
}

}  // namespace
}  // namespace tilu::ui
