#include "program_fixture.h"

#include <string>

#include "history/slots.h"
#include "registry/ansi_text.h"
#include "ui/layer/application.h"

namespace tilu::ui::testing {

namespace {

std::string AnsiSlotName(int slot) {
    return ToAnsi(SlotName(slot));
}

}  // namespace

std::vector<std::wstring> Layout(std::vector<std::wstring> texts) {
    texts.resize(SlotCount, kAbsent);
    return texts;
}

void ProgramTest::SetUp() {
    WindowTest::SetUp();
    TheForm<Form1>().UseHistory(registry_, key_.Path());
}

void ProgramTest::Seed(const std::vector<std::pair<int, std::wstring>>& slots) {
    for (const auto& [slot, text] : slots) {
        std::string bytes = ToAnsi(text);
        std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
        data.push_back(0);
        key_.SetRaw(AnsiSlotName(slot), kRegSz, std::move(data));
    }
}

void ProgramTest::SeedInOrder(const std::vector<std::wstring>& texts) {
    std::vector<std::pair<int, std::wstring>> slots;
    for (size_t i = 0; i < texts.size(); ++i) {
        slots.emplace_back(static_cast<int>(i) + 1, texts[i]);
    }
    Seed(slots);
}

std::vector<std::wstring> ProgramTest::Slots() const {
    std::vector<std::wstring> slots;
    for (int slot = 1; slot <= SlotCount; ++slot) {
        const auto value = key_.GetRaw(AnsiSlotName(slot));
        if (!value) {
            slots.push_back(kAbsent);
        } else if (value->type != kRegSz) {
            slots.push_back(L"(type " + std::to_wstring(value->type) + L")");
        } else {
            std::string_view text(reinterpret_cast<const char*>(value->bytes.data()),
                                  value->bytes.size());
            while (!text.empty() && text.back() == '\0') {
                text.remove_suffix(1);
            }
            slots.push_back(FromAnsi(text));
        }
    }
    return slots;
}

Form1& ProgramTest::ShowForm1() {
    Form1& form = TheForm<Form1>();
    form.Unload();
    form.Show();
    return form;
}

std::vector<std::wstring> ProgramTest::Items() {
    const HistoryList& list = TheForm<Form1>().Controls().List1;
    std::vector<std::wstring> items;
    for (int i = 0; i < list.Count(); ++i) {
        items.push_back(list.TextAt(i));
    }
    return items;
}

std::wstring ProgramTest::Status() {
    return TheForm<Form1>().Controls().Label12.Caption();
}

void ProgramTest::ClickItem(int index) {
    const HWND list = TheForm<Form1>().Controls().List1.ChildHwnd();
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
