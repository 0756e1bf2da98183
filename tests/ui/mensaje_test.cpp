// Mensaje: geometry and placement, the design state, the calling protocol with a modal show,
// closing by the button or the close box, and fresh text on a second use.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/resources/resource_ids.h"
#include "ui/layer/font.h"
#include "ui/layer/gdi.h"
#include "ui/windows/mensaje.h"
#include "screen_colours.h"
#include "ui_test_support.h"

namespace tilu::ui {
namespace {

using testing::Canvas;
using testing::kDeepBlue;
using testing::kPaleBlue;

constexpr wchar_t kNothingSelected[] = L"No has seleccionado ningún elemento.";

class MensajeTest : public testing::WindowTest {
protected:
    Mensaje mensaje_{application_};

    // The calling protocol: text, button caption, the caller's beep, modal show.
    void ShowMessage(const std::wstring& text, const std::wstring& button) {
        Mensaje& dialog = mensaje_;
        dialog.Controls().TextoMensaje.SetCaption(text);
        dialog.Controls().CommandTilu1.CaptionTilu(button);
        application_.Beep();
        dialog.ShowModal();
    }
};

TEST_F(MensajeTest, GeometryAtTheWindowsDpi) {
    Mensaje& dialog = mensaje_;
    dialog.Load();
    const Scale scale(dialog.Dpi());
    EXPECT_TRUE(testing::ClientAreaIs(dialog, 4155, 1605, {277, 107}));

    EXPECT_TRUE(testing::IsCentredOnScreen(dialog.Hwnd()));
    EXPECT_TRUE(testing::FrameIs(dialog, L"Mensaje - studio Tilu"));
    EXPECT_TRUE(
        testing::PlacedAt(dialog, dialog.Controls().CommandTilu1.Hwnd(), {1260, 1050, 1695, 390}));
    EXPECT_EQ(dialog.Controls().Image1.DrawnArea(scale).right -
                  dialog.Controls().Image1.DrawnArea(scale).left,
              scale.FromDefaultDpi(48))
        << "the question mark at its own size";
}

TEST_F(MensajeTest, FirstAccessLoadsTheDesignState) {
    Mensaje& dialog = mensaje_;
    dialog.Unload();
    EXPECT_EQ(dialog.Controls().TextoMensaje.Caption(), L"");
    EXPECT_TRUE(dialog.IsLoaded());
    EXPECT_FALSE(IsWindowVisible(dialog.Hwnd())) << "loaded, not yet shown";
    EXPECT_EQ(dialog.Controls().CommandTilu1.CaptionTilu(), L"");
    EXPECT_EQ(dialog.Controls().TextoMensaje.ForeColor(), kDeepBlue);
    EXPECT_EQ(dialog.BackColor(), kPaleBlue);
}

TEST_F(MensajeTest, ShowsTheMessageModallyUntilTheButtonIsClicked) {
    Mensaje& dialog = mensaje_;
    bool checkedWhileOpen = false;
    OnModalLoop([&](Form& shown) {
        EXPECT_EQ(&shown, &dialog);
        EXPECT_EQ(beeps_, 1) << "the caller's beep comes before the show";
        EXPECT_TRUE(IsWindowVisible(dialog.Hwnd()));
        EXPECT_EQ(dialog.Controls().TextoMensaje.Caption(), kNothingSelected);
        EXPECT_EQ(dialog.Controls().CommandTilu1.Texto().Caption(), L"Aceptar");
        EXPECT_EQ(GetFocus(), dialog.Controls().CommandTilu1.Hwnd())
            << "the only control with focus";
        checkedWhileOpen = true;
        testing::Press(dialog.Controls().CommandTilu1);
    });
    ShowMessage(kNothingSelected, L"Aceptar");
    EXPECT_TRUE(checkedWhileOpen);
    EXPECT_FALSE(dialog.IsLoaded());
    EXPECT_EQ(programEnds_, 0);
}

TEST_F(MensajeTest, ClosesByAnyMouseButtonAKeyOrTheCloseBox) {
    struct Case {
        const char* name;
        std::function<void(Mensaje&)> close;
    };
    const auto click = [](UINT button) {
        return [button](Mensaje& d) { testing::Press(d.Controls().CommandTilu1, button); };
    };
    const std::vector<Case> cases = {
        {"left button", click(MK_LBUTTON)},
        {"right button", click(MK_RBUTTON)},
        {"middle button", click(MK_MBUTTON)},
        {"Enter pressed and released on the button",
         [](Mensaje& d) {
             testing::LoopKeyDown(d.App(), d.Controls().CommandTilu1.Hwnd(), VK_RETURN);
             testing::LoopKeyUp(d.App(), d.Controls().CommandTilu1.Hwnd(), VK_RETURN);
         }},
        {"a letter key",
         [](Mensaje& d) {
             testing::LoopKeyDown(d.App(), d.Controls().CommandTilu1.Hwnd(), 'X');
             testing::LoopKeyUp(d.App(), d.Controls().CommandTilu1.Hwnd(), 'X');
         }},
        {"close box", [](Mensaje& d) { SendMessageW(d.Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Alt+F4 (WM_CLOSE)", [](Mensaje& d) { SendMessageW(d.Hwnd(), WM_CLOSE, 0, 0); }},
    };
    for (const Case& k : cases) {
        Mensaje& dialog = mensaje_;
        bool closed = false;
        platform_.modalLoopStarted = [&](Form&) {
            k.close(dialog);
            closed = !dialog.IsLoaded();
            dialog.Unload();  // so that a failing case does not hold the test
        };
        ShowMessage(kNothingSelected, L"Aceptar");
        EXPECT_TRUE(closed) << k.name;
    }
}

// The program's notices: the text, the caption "Aceptar", then the beep, then the modal show.
TEST_F(MensajeTest, TellWritesTextAndCaptionThenBeepsThenShows) {
    for (const wchar_t* text :
         {kNothingSelected, L"El historial ha cambiado fuera del programa."}) {
        SCOPED_TRACE(text);
        Mensaje& dialog = mensaje_;
        std::wstring atBeep;
        platform_.beep = [&] {
            atBeep = dialog.Controls().TextoMensaje.Caption() + L"|" +
                     dialog.Controls().CommandTilu1.CaptionTilu();
        };
        std::wstring beforeShow = L"(not shown)";
        OnModalLoop([&](Form& open) {
            EXPECT_EQ(&open, &dialog);
            beforeShow = atBeep;
            testing::Press(dialog.Controls().CommandTilu1);
        });
        dialog.Tell(text);
        EXPECT_EQ(beforeShow, std::wstring(text) + L"|Aceptar");
        EXPECT_FALSE(dialog.IsLoaded());
    }
}

TEST_F(MensajeTest, AKeyReleasedWithoutItsPressDoesNotClose) {
    Mensaje& dialog = mensaje_;
    bool stillOpen = false;
    OnModalLoop([&](Form&) {
        // The Enter that opened the dialog from another window is released here.
        testing::LoopKeyUp(application_, dialog.Controls().CommandTilu1.Hwnd(), VK_RETURN);
        stillOpen = dialog.IsLoaded();
        dialog.Unload();
    });
    ShowMessage(kNothingSelected, L"Aceptar");
    EXPECT_TRUE(stillOpen);
}

TEST_F(MensajeTest, LongTextWrapsInsideTheLabel) {
    Mensaje& dialog = mensaje_;
    dialog.Controls().TextoMensaje.SetCaption(
        L"Un mensaje bastante más largo que cabe en dos líneas.");
    const Scale scale(dialog.Dpi());
    const RECT label = scale.Px(dialog.Controls().TextoMensaje.Bounds());
    const Canvas canvas(dialog);
    const int middle = (label.top + label.bottom) / 2;
    EXPECT_TRUE(canvas.Contains(RECT{label.left, label.top, label.right, middle}, kDeepBlue))
        << "first line";
    EXPECT_TRUE(canvas.Contains(RECT{label.left, middle, label.right, label.bottom}, kDeepBlue))
        << "second line";
    EXPECT_FALSE(
        canvas.Contains(RECT{label.right, label.top, canvas.Width(), label.bottom}, kDeepBlue))
        << "nothing right of the label";
    EXPECT_FALSE(
        canvas.Contains(RECT{label.left, label.bottom, label.right, canvas.Height()}, kDeepBlue))
        << "nothing below the label";
    EXPECT_EQ(canvas.At(label.right - 1, label.top), kPaleBlue) << "transparent background";
}

// The history's messages wrap inside the label in at most two lines, at 96 and at 144 DPI.
TEST_F(MensajeTest, MessagesFitTheLabelInTwoLines) {
    const TwipsRect bounds = mensaje_.Controls().TextoMensaje.Bounds();
    const ScaledFont font(SansSerifRegular());
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    for (const UINT dpi : {96u, 144u}) {
        for (const wchar_t* text :
             {kNothingSelected, L"El historial ha cambiado fuera del programa."}) {
            SCOPED_TRACE(std::to_wstring(dpi) + L" DPI: " + text);
            const RECT label = Scale(dpi).Px(bounds);
            const SelectedObject selected(dc.get(), font.At(dpi));
            TEXTMETRICW metrics{};
            GetTextMetricsW(dc.get(), &metrics);
            RECT needed{0, 0, label.right - label.left, 0};
            DrawTextW(dc.get(), text, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            EXPECT_LE(needed.right, label.right - label.left);
            EXPECT_LE(needed.bottom, 2 * metrics.tmHeight);
            EXPECT_LE(needed.bottom, label.bottom - label.top);
        }
    }
}

TEST_F(MensajeTest, PaintsTheQuestionMark) {
    ASSERT_TRUE(FindResourceW(nullptr, MAKEINTRESOURCEW(IDI_QUESTION_MARK), RT_GROUP_ICON));
    Mensaje& dialog = mensaje_;
    const Scale scale(dialog.Dpi());
    const RECT icon = dialog.Controls().Image1.DrawnArea(scale);
    const Canvas canvas(dialog);
    int blue = 0;
    for (int y = icon.top; y < icon.bottom; ++y) {
        for (int x = icon.left; x < icon.right; ++x) {
            const COLORREF c = canvas.At(x, y);
            blue += GetBValue(c) > GetRValue(c) + 60 ? 1 : 0;
        }
    }
    EXPECT_GT(blue, 48 * 48 / 4) << "a blue disc";
}

TEST_F(MensajeTest, SecondUseShowsFreshlyWrittenText) {
    Mensaje& dialog = mensaje_;
    std::vector<std::wstring> shown;
    OnModalLoop([&](Form&) {
        shown.push_back(dialog.Controls().TextoMensaje.Caption() + L"|" +
                        dialog.Controls().CommandTilu1.CaptionTilu());
        testing::Press(dialog.Controls().CommandTilu1);
    });
    ShowMessage(L"primero", L"Vale");
    EXPECT_EQ(dialog.Controls().TextoMensaje.Caption(), L"")
        << "unloaded: the next use starts from design";
    EXPECT_EQ(dialog.Controls().CommandTilu1.CaptionTilu(), L"");
    ShowMessage(kNothingSelected, L"Aceptar");
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"primero|Vale",
                                                std::wstring(kNothingSelected) + L"|Aceptar"}));
    EXPECT_EQ(beeps_, 2);
}

}  // namespace
}  // namespace tilu::ui
