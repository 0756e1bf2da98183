// Every window at the system DPI where USER32 has no per-monitor DPI functions (Windows 7 to 10
// version 1511), and after a DPI change announced by WM_DPICHANGED. Run in a 96-DPI prefix and
// in a 144-DPI one (TILU_TEST_DPI tells which).
#include <windows.h>

#include <array>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "program_fixture.h"
#include "ui/layer/application.h"
#include "ui/layer/dpi.h"
#include "ui/windows/form2.h"
#include "ui/windows/mensaje.h"
#include "ui/windows/presentacion.h"

namespace tilu::ui {
namespace {

using testing::Canvas;
using Extent = std::pair<LONG, LONG>;

// The system DPI of the prefix the test runs in.
UINT PrefixDpi() {
    const char* dpi = std::getenv("TILU_TEST_DPI");
    return dpi ? static_cast<UINT>(std::atoi(dpi)) : kDefaultDpi;
}

struct WindowCase {
    const char* name;
    Form& (*window)(Program&);
};

const std::vector<WindowCase> kWindows = {
    {"Presentación", [](Program& p) -> Form& { return p.presentación; }},
    {"Form1", [](Program& p) -> Form& { return p.form1; }},
    {"Form2", [](Program& p) -> Form& { return p.form2; }},
    {"Mensaje", [](Program& p) -> Form& { return p.mensaje; }},
};

Form& Open(Program& program, const WindowCase& w) {
    Form& form = w.window(program);
    form.Show();
    return form;
}

Extent IconSize(HWND hwnd, WPARAM which) {
    const auto icon = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, which, 0));
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) {
        return {0, 0};
    }
    const UniqueBitmap mask(info.hbmMask);
    const UniqueBitmap color(info.hbmColor);
    BITMAP bitmap{};
    GetObjectW(mask.get(), sizeof bitmap, &bitmap);
    // Without a colour bitmap, the mask holds the AND and XOR halves one above the other.
    return {bitmap.bmWidth, color ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

// What a window shows at its DPI: sizes, fonts and pixels of it and of its child windows.
struct Look {
    Extent client;
    Extent bigIcon;
    Extent smallIcon;
    std::vector<std::array<LONG, 4>> childBounds;
    std::vector<LONG> childFontHeights;
    std::vector<Canvas> painted;  // the window, then each child
};

Look LookOf(const Form& form) {
    RECT client{};
    GetClientRect(form.Hwnd(), &client);
    Look look{{client.right, client.bottom},
              IconSize(form.Hwnd(), ICON_BIG),
              IconSize(form.Hwnd(), ICON_SMALL),
              {},
              {},
              {Canvas(form)}};
    for (HWND child = GetWindow(form.Hwnd(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, form.Hwnd(), reinterpret_cast<POINT*>(&r), 2);
        look.childBounds.push_back({r.left, r.top, r.right, r.bottom});
        LOGFONTW font{};
        const auto hfont = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
        look.childFontHeights.push_back(
            hfont && GetObjectW(hfont, sizeof font, &font) ? font.lfHeight : 0);
        look.painted.emplace_back(child);
    }
    return look;
}

template <UINT kDpi>
UINT WINAPI At(HWND) {
    return kDpi;
}

using DpiTest = testing::ProgramTest;

TEST_F(DpiTest, WithoutPerMonitorFunctionsEveryWindowHasItsDesignAtTheSystemDpi) {
    SeedInOrder(testing::kSeven);
    platform_.dpi = DpiFunctions();
    const UINT dpi = PrefixDpi();
    const Scale scale(dpi);
    const Scale at96(kDefaultDpi);
    for (const WindowCase& w : kWindows) {
        SCOPED_TRACE(w.name);
        Form& form = Open(program_, w);
        const FormDesign& design = form.Design();
        EXPECT_EQ(form.Dpi(), dpi);
        EXPECT_TRUE(
            testing::ClientAreaIs(form, design.clientWidth, design.clientHeight,
                                  {at96.Px(design.clientWidth), at96.Px(design.clientHeight)}));
        if (design.placement == Placement::Centred) {
            EXPECT_TRUE(testing::IsCentredOnScreen(form.Hwnd()));
        }
        // Windows' icon sizes, 32 and 16 pixels at 96 DPI.
        const bool icon = design.iconId != 0;
        const LONG big = icon ? scale.FromDefaultDpi(32) : 0;
        const LONG smallSize = icon ? scale.FromDefaultDpi(16) : 0;
        EXPECT_EQ(IconSize(form.Hwnd(), ICON_BIG), Extent(big, big));
        EXPECT_EQ(IconSize(form.Hwnd(), ICON_SMALL), Extent(smallSize, smallSize));
        testing::UnloadAll(application_);
    }
}

TEST_F(DpiTest, AfterADpiChangeEveryWindowLooksAsIfOpenedAtTheNewDpi) {
    SeedInOrder(testing::kSeven);
    const UINT from = PrefixDpi();
    const UINT to = from == 144 ? 96 : 144;
    const DpiFunctions system = platform_.dpi;
    for (const WindowCase& w : kWindows) {
        SCOPED_TRACE(w.name);
        platform_.dpi = system;
        Form& form = Open(program_, w);
        ASSERT_EQ(form.Dpi(), from);
        // The window scaled for the new DPI, somewhere else, as Windows suggests it.
        RECT window{};
        GetWindowRect(form.Hwnd(), &window);
        RECT suggested{40, 30, 0, 0};
        suggested.right = suggested.left + MulDiv(window.right - window.left, to, from);
        suggested.bottom = suggested.top + MulDiv(window.bottom - window.top, to, from);
        SendMessageW(form.Hwnd(), WM_DPICHANGED, MAKEWPARAM(to, to),
                     reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ(form.Dpi(), to);
        GetWindowRect(form.Hwnd(), &window);
        EXPECT_EQ(Extent(window.left, window.top), Extent(suggested.left, suggested.top));
        const Look changed = LookOf(form);
        testing::UnloadAll(application_);

        platform_.dpi = DpiFunctions(to == 144 ? &At<144> : &At<96>, {}, {});
        const Look opened = LookOf(Open(program_, w));
        testing::UnloadAll(application_);
        EXPECT_EQ(changed.client, opened.client);
        EXPECT_EQ(changed.bigIcon, opened.bigIcon);
        EXPECT_EQ(changed.smallIcon, opened.smallIcon);
        EXPECT_EQ(changed.childBounds, opened.childBounds);
        EXPECT_EQ(changed.childFontHeights, opened.childFontHeights);
        ASSERT_EQ(changed.painted.size(), opened.painted.size());
        for (size_t i = 0; i < changed.painted.size(); ++i) {
            EXPECT_TRUE(changed.painted[i] == opened.painted[i])
                << (i == 0 ? "the window" : "child ") << (i == 0 ? "" : std::to_string(i))
                << " paints differently";
        }
    }
}

}  // namespace
}  // namespace tilu::ui
