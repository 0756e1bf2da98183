// How the main window's changes reach the screen: each paints the status line once, before its
// reaction returns, and a refilled list once, when the queue is next pumped.
#include <windows.h>

#include <functional>
#include <optional>

#include <gtest/gtest.h>

#include "program_fixture.h"
#include "tests/ui/screen_colours.h"
#include "ui/layer/application.h"
#include "ui/windows/mensaje.h"

namespace tilu::ui {
namespace {

using testing::kSeven;
using testing::Sz;

constexpr wchar_t kCounterProperty[] = L"TiluTestPaintCounter";

// Counts the WM_PAINT messages a window receives while the counter exists.
class PaintCounter {
public:
    explicit PaintCounter(HWND hwnd) : hwnd_(hwnd) {
        SetPropW(hwnd_, kCounterProperty, this);
        previous_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Counting)));
    }
    ~PaintCounter() {
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        RemovePropW(hwnd_, kCounterProperty);
    }
    PaintCounter(const PaintCounter&) = delete;
    PaintCounter& operator=(const PaintCounter&) = delete;

    int Paints() const { return paints_; }

private:
    static LRESULT CALLBACK Counting(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = static_cast<PaintCounter*>(GetPropW(hwnd, kCounterProperty));
        if (message == WM_PAINT) {
            ++self->paints_;
        }
        return CallWindowProcW(self->previous_, hwnd, message, wParam, lParam);
    }

    HWND hwnd_;
    WNDPROC previous_ = nullptr;
    int paints_ = 0;
};

class RepaintTest : public testing::ProgramTest {};

TEST_F(RepaintTest, EachChangePaintsTheStatusLineAtOnceAndTheListOnce) {
    struct Case {
        const char* name;
        std::function<void(Form1&)> change;
        int listPaints;  // after the queue is pumped
    };
    const Case cases[] = {
        {"a selection", [this](Form1&) { ClickItem(3); }, 0},
        {"a refresh", [](Form1& form) { form.Refresh(); }, 1},
        {"a delete", [](Form1& form) { form.DeleteSelectedEntry(); }, 1},
        {"a replacement", [](Form1& form) { form.ReplaceEntry(L"https://otra.es/"); }, 1},
    };
    for (const Case& c : cases) {
        SeedInOrder(kSeven);
        Form1& form = ShowForm1();
        ClickItem(2);
        program_.history.BeginEdit();  // as the edit dialog opens, for the replacement
        testing::PumpPending(application_);
        const PaintCounter window(form.Hwnd());
        const PaintCounter list(form.Controls().List1.ChildHwnd());

        c.change(form);
        EXPECT_EQ(window.Paints(), 1) << c.name;
        EXPECT_FALSE(GetUpdateRect(form.Hwnd(), nullptr, FALSE)) << c.name;
        testing::PumpPending(application_);
        EXPECT_EQ(window.Paints(), 1) << c.name;
        EXPECT_EQ(list.Paints(), c.listPaints) << c.name;
    }
}

// A message opened by the main window stands over a list that paints: the nothing-selected
// notice over the list as it is, the outside-change notice over the list already refilled.
TEST_F(RepaintTest, TheListBehindAMessagePaintsItsEntries) {
    struct Case {
        const char* name;
        int selected;
        std::function<void()> meanwhile;  // another program, before the delete
        std::wstring first;               // the list's first entry while the message is open
    };
    const Case cases[] = {
        {"nothing selected", -1, [] {}, kSeven[0]},
        {"the key changed elsewhere", 2, [this] { Seed({Sz("url1", L"https://cambiada.es/")}); },
         L"https://cambiada.es/"},
    };
    for (const Case& c : cases) {
        SeedInOrder(kSeven);
        Form1& form = ShowForm1();
        if (c.selected >= 0) {
            ClickItem(c.selected);
        }
        c.meanwhile();
        const HWND list = form.Controls().List1.ChildHwnd();
        std::optional<testing::Canvas> behind;
        std::wstring first;
        OnModalLoop([&](Form& dialog) {
            behind.emplace(list);
            first = form.Controls().List1.Text(0);
            testing::Press(static_cast<Mensaje&>(dialog).Controls().CommandTilu1);
        });
        form.DeleteSelectedEntry();
        platform_.modalLoopStarted = nullptr;
        EXPECT_EQ(first, c.first) << c.name;
        // A list whose redraw is paused paints nothing, not even on request.
        ASSERT_TRUE(behind) << c.name;
        EXPECT_TRUE(behind->Contains({0, 0, behind->Width(), behind->Height()}, testing::kDeepBlue))
            << c.name << ": no entry painted";
    }
}

}  // namespace
}  // namespace tilu::ui
