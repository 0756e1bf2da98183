// The list box and the text box on a form: the list operations the history works through,
// selection reports, colours, and focus order with Tab.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/layer/form.h"
#include "ui/layer/list_box.h"
#include "ui/layer/text_box.h"
#include "ui_test_support.h"

namespace tilu::ui {
namespace {

constexpr COLORREF kListText = RGB(33, 93, 198);
constexpr COLORREF kListBack = RGB(230, 237, 250);

class ChildrenForm;

struct ChildrenControls {
    explicit ChildrenControls(ChildrenForm& form);

    // Declared against their tab order, which must still win.
    TextBox text;
    ListBox list;
    int selectionReports = 0;
};

FormDesign ChildrenDesign() {
    FormDesign design;
    design.caption = L"Hijas";
    design.clientWidth = 5295;
    design.clientHeight = 4290;
    design.backColor = RGB(109, 135, 221);
    design.placement = Placement::SystemDefault;
    return design;
}

class ChildrenForm : public FormOf<ChildrenForm, ChildrenControls> {
public:
    explicit ChildrenForm(Application& application) : FormOf(application, ChildrenDesign()) {}
};

ChildrenControls::ChildrenControls(ChildrenForm& form)
    : text(form, TextBoxDesign{{{1275, 2900, 3135, 285}, 1}, kListText}),
      list(form, ListBoxDesign{{{225, 1050, 4830, 1590}, 0}, kListText, kListBack}) {
    list.SelectionChanged = [this] { ++selectionReports; };
}

class ChildWindowsTest : public testing::WindowTest {
protected:
    ChildrenForm form_{application_};

    ChildrenControls& Fresh() {
        ChildrenForm& form = form_;
        form.Unload();
        return form.Controls();
    }
};

std::vector<std::wstring> Items(const ListBox& list) {
    std::vector<std::wstring> items;
    for (int i = 0; i < list.Count(); ++i) {
        items.push_back(list.Text(i));
    }
    return items;
}

TEST_F(ChildWindowsTest, ListOperations) {
    struct Case {
        const char* name;
        std::function<void(ListBox&)> act;
        std::vector<std::wstring> items;
        int selected;
    };
    const auto threeItems = [](ListBox& l) { l.Fill({L"c.com", L"a.com", L"b.com"}); };
    const std::vector<Case> cases = {
        {"a fill keeps the order, nothing selected",
         threeItems,
         {L"c.com", L"a.com", L"b.com"},
         -1},
        {"a refill replaces every item and leaves nothing selected",
         [&](ListBox& l) {
             threeItems(l);
             l.Select(2);
             l.Fill({L"z.com"});
         },
         {L"z.com"},
         -1},
    };
    for (const Case& k : cases) {
        ListBox& list = Fresh().list;
        k.act(list);
        EXPECT_EQ(Items(list), k.items) << k.name;
        EXPECT_EQ(list.SelectedIndex(), k.selected) << k.name;
    }
}

TEST_F(ChildWindowsTest, TextOutsideTheListIsEmpty) {
    ListBox& list = Fresh().list;
    list.Fill({L"uno"});
    EXPECT_EQ(list.Text(1), L"");
    EXPECT_EQ(list.Text(-1), L"");
}

TEST_F(ChildWindowsTest, SelectionChangesAreReported) {
    ChildrenControls& c = Fresh();
    c.list.Fill({L"uno", L"dos"});
    c.list.Select(1);
    EXPECT_EQ(c.selectionReports, 0) << "selection by program is not reported";
    // What the list box sends when the user changes the selection.
    SendMessageW(form_.Hwnd(), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(c.list.ChildHwnd()), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(c.list.ChildHwnd()));
    EXPECT_EQ(c.selectionReports, 1);
}

TEST_F(ChildWindowsTest, ColoursComeFromTheDesign) {
    ChildrenControls& c = Fresh();
    const Form& form = form_;
    const auto list = testing::ColoursOf(form, c.list.ChildHwnd(), WM_CTLCOLORLISTBOX);
    EXPECT_EQ(list.text, kListText);
    EXPECT_EQ(list.back, kListBack);
    const auto text = testing::ColoursOf(form, c.text.ChildHwnd(), WM_CTLCOLOREDIT);
    EXPECT_EQ(text.text, kListText);
    EXPECT_EQ(text.back, GetSysColor(COLOR_WINDOW));
}

TEST_F(ChildWindowsTest, TextBoxHoldsLongTextExactly) {
    TextBox& text = Fresh().text;
    const std::wstring address = L"https://ejemplo.es/" + std::wstring(40000, L'ñ');
    text.SetText(address);
    EXPECT_EQ(text.Text(), address);
}

TEST_F(ChildWindowsTest, TabOrderFollowsTheTabIndex) {
    ChildrenForm& form = form_;
    form.Unload();
    form.Show();
    ChildrenControls& c = form.Controls();
    EXPECT_EQ(GetFocus(), c.list.ChildHwnd()) << "tab index 0 has the focus when shown";
    testing::LoopKeyDown(application_, c.list.ChildHwnd(), VK_TAB);
    EXPECT_EQ(GetFocus(), c.text.ChildHwnd());
    testing::LoopKeyDown(application_, c.text.ChildHwnd(), VK_TAB);
    EXPECT_EQ(GetFocus(), c.list.ChildHwnd()) << "wraps around";
}

TEST_F(ChildWindowsTest, ChildrenArePlacedAtTheWindowsDpi) {
    ChildrenControls& c = Fresh();
    const Form& form = form_;
    EXPECT_TRUE(testing::PlacedAt(form, c.text.ChildHwnd(), {1275, 2900, 3135, 285}));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(c.text.ChildHwnd(), WM_GETFONT, 0, 0)),
              form.Font());
}

}  // namespace
}  // namespace tilu::ui
