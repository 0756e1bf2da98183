#include "program_fixture.h"

#include <string>

#include "history/slots.h"
#include "ui/layer/application.h"

namespace tilu::ui::testing {

namespace {

// Texts travel to the registry in the ANSI code page, as the program's own calls send them.
std::string ToAnsi(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

std::wstring FromAnsi(const std::vector<std::uint8_t>& bytes) {
    std::string text(bytes.begin(), bytes.end());
    while (!text.empty() && text.back() == '\0') {
        text.pop_back();
    }
    const int size =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string AnsiSlotName(int slot) {
    return ToAnsi(SlotName(slot));
}

}  // namespace

Status CountingRegistry::OpenKeyEx(RegKey key, const char* subKey, std::uint32_t options,
                                   std::uint32_t access, RegKey* result) {
    ++calls;
    return inner_.OpenKeyEx(key, subKey, options, access, result);
}

Status CountingRegistry::CreateKey(RegKey key, const char* subKey, RegKey* result) {
    ++calls;
    return inner_.CreateKey(key, subKey, result);
}

Status CountingRegistry::CloseKey(RegKey key) {
    ++calls;
    return inner_.CloseKey(key);
}

Status CountingRegistry::QueryValueEx(RegKey key, const char* valueName, std::uint32_t* reserved,
                                      std::uint32_t* type, std::uint8_t* data,
                                      std::uint32_t* dataSize) {
    ++calls;
    return inner_.QueryValueEx(key, valueName, reserved, type, data, dataSize);
}

Status CountingRegistry::SetValueEx(RegKey key, const char* valueName, std::uint32_t reserved,
                                    std::uint32_t type, const std::uint8_t* data,
                                    std::uint32_t dataSize) {
    ++calls;
    return inner_.SetValueEx(key, valueName, reserved, type, data, dataSize);
}

Status CountingRegistry::DeleteValue(RegKey key, const char* valueName) {
    ++calls;
    return inner_.DeleteValue(key, valueName);
}

Status CountingRegistry::DeleteKey(RegKey key, const char* subKey) {
    ++calls;
    return inner_.DeleteKey(key, subKey);
}

Status CountingRegistry::QueryInfoKey(RegKey key, char* className, std::uint32_t* classLength,
                                      std::uint32_t* reserved, std::uint32_t* subKeyCount,
                                      std::uint32_t* maxSubKeyLength, std::uint32_t* maxClassLength,
                                      std::uint32_t* valueCount, std::uint32_t* maxValueNameLength,
                                      std::uint32_t* maxValueLength,
                                      std::uint32_t* securityDescriptorSize,
                                      FileTime* lastWriteTime) {
    ++calls;
    return inner_.QueryInfoKey(key, className, classLength, reserved, subKeyCount, maxSubKeyLength,
                               maxClassLength, valueCount, maxValueNameLength, maxValueLength,
                               securityDescriptorSize, lastWriteTime);
}

Status CountingRegistry::EnumKeyEx(RegKey key, std::uint32_t index, char* name,
                                   std::uint32_t* nameLength, std::uint32_t* reserved,
                                   char* className, std::uint32_t* classLength,
                                   FileTime* lastWriteTime) {
    ++calls;
    return inner_.EnumKeyEx(key, index, name, nameLength, reserved, className, classLength,
                            lastWriteTime);
}

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
            slots.push_back(FromAnsi(value->bytes));
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
