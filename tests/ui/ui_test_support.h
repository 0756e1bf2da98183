// Helpers for running windows inside a test process: input sent straight to window procedures,
// off-screen painting, and recording stand-ins for the platform seams.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "ui/controls/command_tilu.h"
#include "ui/layer/application.h"
#include "ui/layer/form.h"
#include "ui/layer/scale.h"
#include "ui/layer/surface.h"

namespace tilu::ui::testing {

// A surface painted into a 32-bit DIB of its client size through PaintContent, or any window
// through WM_PRINTCLIENT.
class Canvas {
public:
    explicit Canvas(const Surface& surface);
    explicit Canvas(HWND window);

    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF At(int x, int y) const;
    // Whether any pixel inside the rectangle has the colour.
    bool Contains(const RECT& area, COLORREF color) const;
    bool operator==(const Canvas&) const = default;

private:
    void Capture(HWND window, const std::function<void(HDC)>& paint);

    int width_ = 0;
    int height_ = 0;
    std::vector<COLORREF> pixels_;
};

// Whether a window's client area is width × height twips at its DPI; at 96 DPI that must also
// be exactly `at96` pixels.
::testing::AssertionResult ClientAreaIs(const Surface& window, Twips width, Twips height,
                                        SIZE at96);

// Whether a form has this title, a close box, and a fixed frame with no minimize or maximize box.
::testing::AssertionResult FrameIs(const Form& form, const wchar_t* title);
// Whether a window stands in the centre of its monitor, to a pixel.
::testing::AssertionResult IsCentredOnScreen(HWND window);
// Whether a child window covers exactly these twips of its form's client area.
::testing::AssertionResult PlacedAt(const Form& form, HWND child, const TwipsRect& bounds);

// The text and background colours a form gives a child window (WM_CTLCOLORLISTBOX, ...EDIT).
struct ChildColours {
    COLORREF text;
    COLORREF back;
};
ChildColours ColoursOf(const Form& form, HWND child, UINT colourMessage);

// Mouse and key messages as the system would send them to a window's procedure.
void MouseDown(HWND hwnd, UINT button, POINT point, bool secondOfDouble = false);
void MouseUp(HWND hwnd, UINT button, POINT point, WPARAM stillHeld = 0);
void MouseMove(HWND hwnd, POINT point, WPARAM held = 0);
void Click(HWND hwnd, POINT point, UINT button = MK_LBUTTON);
void KeyDown(HWND hwnd, UINT key, bool repeat = false);
void KeyUp(HWND hwnd, UINT key);
// A key press as the application's message loop delivers it: dialog navigation first.
void LoopKeyDown(Application& application, HWND hwnd, UINT key);
void LoopKeyUp(Application& application, HWND hwnd, UINT key);

// Dispatches the queued messages as the application's loop would, without waiting.
void PumpPending(Application& application);
// Unloads every loaded window, the last loaded first.
void UnloadAll(Application& application);

// A point on a button control's face, and a click there.
inline constexpr POINT kOnButtonFace{56, 12};
void Press(const CommandTilu& button, UINT mouseButton = MK_LBUTTON);

// An application of its own for each test, on the system's DPI functions and seams that count
// beeps and program ends; every window is unloaded after the test. A failure kept from a window
// procedure fails the test. The test builds its windows on application_.
class WindowTest : public ::testing::Test {
protected:
    WindowTest();
    void TearDown() override;

    // Runs `act` inside the next modal dialog's loop.
    void OnModalLoop(std::function<void(Form&)> act);

    int beeps_ = 0;
    int programEnds_ = 0;
    Platform platform_;
    Application application_{platform_};
};

}  // namespace tilu::ui::testing
