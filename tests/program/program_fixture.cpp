#include "program_fixture.h"

#include <string>

namespace tilu::ui::testing {

void ProgramTest::Seed(const std::vector<tilu::testing::Seed>& seeds) {
    SeedKey(key_, seeds);
}

void ProgramTest::SeedInOrder(const std::vector<std::wstring>& texts) {
    SeedKey(key_, tilu::testing::Slots(texts));
}

std::vector<std::wstring> ProgramTest::Slots() const {
    return ReadSlots(key_);
}

Form1& ProgramTest::ShowForm1() {
    Form1& form = program_.form1;
    form.Unload();
    form.Show();
    return form;
}

std::vector<std::wstring> ProgramTest::Items() {
    const HistoryList& list = program_.form1.Controls().List1;
    std::vector<std::wstring> items;
    for (int i = 0; i < list.Count(); ++i) {
        items.push_back(list.Text(i));
    }
    return items;
}

std::wstring ProgramTest::Status() {
    return program_.form1.Controls().Label12.Caption();
}

void ProgramTest::ClickItem(int index) {
    const HWND list = program_.form1.Controls().List1.ChildHwnd();
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    const POINT middle{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    MouseDown(list, MK_LBUTTON, middle);
    MouseUp(list, MK_LBUTTON, middle);
}

void ProgramTest::ClickAt(const Form& form, TwipsPoint point, UINT button) {
    Click(form.Hwnd(), Scale(form.Dpi()).Px(point), button);
}

void ProgramTest::ClickOn(const Form& form, const Lightweight& control, UINT button) {
    const TwipsRect& b = control.Bounds();
    ClickAt(form, TwipsPoint{b.left + b.width / 2, b.top + b.height / 2}, button);
}

}  // namespace tilu::ui::testing
