#include "ui_test_support.h"

#include <string_view>
#include <utility>

#include "ui/layer/form.h"
#include "ui/layer/gdi.h"

namespace tilu::ui::testing {

namespace {

LPARAM Coordinates(POINT point) {
    return MAKELPARAM(point.x, point.y);
}

UINT DownMessage(UINT button, bool secondOfDouble) {
    switch (button) {
        case MK_RBUTTON:
            return secondOfDouble ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN;
        case MK_MBUTTON:
            return secondOfDouble ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN;
        default:
            return secondOfDouble ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
    }
}

UINT UpMessage(UINT button) {
    switch (button) {
        case MK_RBUTTON:
            return WM_RBUTTONUP;
        case MK_MBUTTON:
            return WM_MBUTTONUP;
        default:
            return WM_LBUTTONUP;
    }
}

constexpr LPARAM kRepeatBit = 1 << 30;
constexpr LPARAM kReleaseBits = static_cast<LPARAM>(0xC0000001u);

void ThroughLoop(Application& application, HWND hwnd, UINT message, UINT key, LPARAM lParam) {
    MSG msg{};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = key;
    msg.lParam = lParam;
    application.Dispatch(msg);
    PumpPending(application);
}

}  // namespace

Canvas::Canvas(const Surface& surface) {
    Capture(surface.Hwnd(), [&](HDC dc) { surface.PaintContent(dc); });
}

Canvas::Canvas(HWND window) {
    Capture(window, [&](HDC dc) {
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                     PRF_CLIENT | PRF_ERASEBKGND);
    });
}

void Canvas::Capture(HWND window, const std::function<void(HDC)>& paint) {
    RECT client{};
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    const UniqueBitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        SelectedObject selected(dc.get(), bitmap.get());
        paint(dc.get());
        GdiFlush();
    }
    const auto* quads = static_cast<const RGBQUAD*>(bits);
    pixels_.reserve(static_cast<size_t>(width_) * height_);
    for (int i = 0; i < width_ * height_; ++i) {
        pixels_.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
    }
}

COLORREF Canvas::At(int x, int y) const {
    return pixels_.at(static_cast<size_t>(y) * width_ + x);
}

bool Canvas::Contains(const RECT& area, COLORREF color) const {
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (At(x, y) == color) {
                return true;
            }
        }
    }
    return false;
}

::testing::AssertionResult ClientAreaIs(const Surface& window, Twips width, Twips height,
                                        SIZE at96) {
    const Scale scale(window.Dpi());
    RECT client{};
    GetClientRect(window.Hwnd(), &client);
    const SIZE expected = scale.Dpi() == 96 ? at96 : SIZE{scale.Px(width), scale.Px(height)};
    if (client.right == scale.Px(width) && client.bottom == scale.Px(height) &&
        client.right == expected.cx && client.bottom == expected.cy) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "client area " << client.right << " x " << client.bottom << " at " << scale.Dpi()
           << " DPI, expected " << scale.Px(width) << " x " << scale.Px(height) << " (" << at96.cx
           << " x " << at96.cy << " at 96 DPI)";
}

::testing::AssertionResult FrameIs(const Form& form, const wchar_t* title) {
    wchar_t actual[128]{};
    GetWindowTextW(form.Hwnd(), actual, 128);
    const LONG style = GetWindowLongW(form.Hwnd(), GWL_STYLE);
    if (std::wstring_view(actual) != title) {
        return ::testing::AssertionFailure() << "the title differs";
    }
    if (!(style & WS_SYSMENU)) {
        return ::testing::AssertionFailure() << "no close box";
    }
    if (style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) {
        return ::testing::AssertionFailure() << "a sizing frame or a minimize or maximize box";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult IsCentredOnScreen(HWND window) {
    RECT placed{};
    GetWindowRect(window, &placed);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& screen = monitor.rcMonitor;
    const LONG across = (placed.left + placed.right) - (screen.left + screen.right);
    const LONG down = (placed.top + placed.bottom) - (screen.top + screen.bottom);
    if (across >= -1 && across <= 1 && down >= -1 && down <= 1) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "off centre by " << across << " across and " << down << " down (in half pixels)";
}

::testing::AssertionResult PlacedAt(const Form& form, HWND child, const TwipsRect& bounds) {
    RECT placed{};
    GetWindowRect(child, &placed);
    MapWindowPoints(nullptr, form.Hwnd(), reinterpret_cast<POINT*>(&placed), 2);
    const RECT expected = Scale(form.Dpi()).Px(bounds);
    if (EqualRect(&placed, &expected)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "placed at " << placed.left << "," << placed.top << " " << placed.right << ","
           << placed.bottom << ", expected " << expected.left << "," << expected.top << " "
           << expected.right << "," << expected.bottom;
}

ChildColours ColoursOf(const Form& form, HWND child, UINT colourMessage) {
    const HDC dc = GetDC(child);
    SendMessageW(form.Hwnd(), colourMessage, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(child));
    const ChildColours colours{GetTextColor(dc), GetBkColor(dc)};
    ReleaseDC(child, dc);
    return colours;
}

void Press(const CommandTilu& button, UINT mouseButton) {
    Click(button.Hwnd(), kOnButtonFace, mouseButton);
}

void MouseDown(HWND hwnd, UINT button, POINT point, bool secondOfDouble) {
    SendMessageW(hwnd, DownMessage(button, secondOfDouble), button, Coordinates(point));
}

void MouseUp(HWND hwnd, UINT button, POINT point, WPARAM stillHeld) {
    SendMessageW(hwnd, UpMessage(button), stillHeld, Coordinates(point));
}

void MouseMove(HWND hwnd, POINT point, WPARAM held) {
    SendMessageW(hwnd, WM_MOUSEMOVE, held, Coordinates(point));
}

void Click(HWND hwnd, POINT point, UINT button) {
    MouseDown(hwnd, button, point);
    MouseUp(hwnd, button, point);
}

void KeyDown(HWND hwnd, UINT key, bool repeat) {
    SendMessageW(hwnd, WM_KEYDOWN, key, 1 | (repeat ? kRepeatBit : 0));
}

void KeyUp(HWND hwnd, UINT key) {
    SendMessageW(hwnd, WM_KEYUP, key, kReleaseBits);
}

void LoopKeyDown(Application& application, HWND hwnd, UINT key) {
    ThroughLoop(application, hwnd, WM_KEYDOWN, key, 1);
}

void LoopKeyUp(Application& application, HWND hwnd, UINT key) {
    ThroughLoop(application, hwnd, WM_KEYUP, key, kReleaseBits);
}

void PumpPending(Application& application) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        application.Dispatch(message);
    }
}

void UnloadAll(Application& application) {
    const std::vector<Form*> forms = application.LoadedForms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        (*it)->Unload();
    }
}

WindowTest::WindowTest() : platform_(SystemPlatform()) {
    platform_.beep = [this] { ++beeps_; };
    platform_.endProgram = [this] { ++programEnds_; };
}

void WindowTest::TearDown() {
    UnloadAll(application_);
    PumpPending(application_);
    EXPECT_NO_THROW(application_.RethrowFailure());
}

void WindowTest::OnModalLoop(std::function<void(Form&)> act) {
    platform_.modalLoopStarted = [act = std::move(act)](Form& dialog) {
        act(dialog);
        // A dialog that the test left open would hold the test forever.
        if (dialog.IsLoaded()) {
            ADD_FAILURE() << "the modal dialog was left open";
            dialog.Unload();
        }
    };
}

}  // namespace tilu::ui::testing
