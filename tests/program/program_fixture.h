// The program's windows in the test process, working on a scratch history key: seeding the key
// and reading its slots back, and the user's input on the main window.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "registry/cqueryreg.h"
#include "registry/registry_api.h"
#include "tests/support/test_registry.h"
#include "tests/ui/ui_test_support.h"
#include "ui/layer/lightweight.h"
#include "ui/windows/form1.h"

namespace tilu::ui::testing {

// Passes every call on to another registry and counts them.
class CountingRegistry : public RegistryApi {
public:
    explicit CountingRegistry(RegistryApi& inner) : inner_(inner) {}

    int calls = 0;

    Status OpenKeyEx(RegKey key, const char* subKey, std::uint32_t options, std::uint32_t access,
                     RegKey* result) override;
    Status CreateKey(RegKey key, const char* subKey, RegKey* result) override;
    Status CloseKey(RegKey key) override;
    Status QueryValueEx(RegKey key, const char* valueName, std::uint32_t* reserved,
                        std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override;
    Status SetValueEx(RegKey key, const char* valueName, std::uint32_t reserved, std::uint32_t type,
                      const std::uint8_t* data, std::uint32_t dataSize) override;
    Status DeleteValue(RegKey key, const char* valueName) override;
    Status DeleteKey(RegKey key, const char* subKey) override;
    Status QueryInfoKey(RegKey key, char* className, std::uint32_t* classLength,
                        std::uint32_t* reserved, std::uint32_t* subKeyCount,
                        std::uint32_t* maxSubKeyLength, std::uint32_t* maxClassLength,
                        std::uint32_t* valueCount, std::uint32_t* maxValueNameLength,
                        std::uint32_t* maxValueLength, std::uint32_t* securityDescriptorSize,
                        FileTime* lastWriteTime) override;
    Status EnumKeyEx(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                     std::uint32_t* reserved, char* className, std::uint32_t* classLength,
                     FileTime* lastWriteTime) override;

private:
    RegistryApi& inner_;
};

// How a slot reads back when it holds no value.
inline const std::wstring kAbsent = L"(absent)";

// Slots url1 to url25 as they should read: these texts from url1 on, then absent slots.
std::vector<std::wstring> Layout(std::vector<std::wstring> texts);

// The main window works on a scratch key; the seams record beeps and program ends.
class ProgramTest : public WindowTest {
protected:
    void SetUp() override;

    // REG_SZ values: each slot number with its text.
    void Seed(const std::vector<std::pair<int, std::wstring>>& slots);
    // url1, url2, ... holding these texts.
    void SeedInOrder(const std::vector<std::wstring>& texts);
    // The text of each slot from url1 to url25, kAbsent where there is none.
    std::vector<std::wstring> Slots() const;

    // The main window loaded afresh from its design and shown.
    Form1& ShowForm1();
    std::vector<std::wstring> Items();
    std::wstring Status();

    // The user clicks the list item, as the mouse would.
    void ClickItem(int index);
    // A click at a point of a window, given in twips of its client area.
    static void ClickAt(const Form& form, TwipsPoint point, UINT button = MK_LBUTTON);
    // A click in the middle of a control.
    static void ClickOn(const Form& form, const Lightweight& control, UINT button = MK_LBUTTON);

    tilu::testing::ScratchKey key_{L"program.windows"};
    CountingRegistry counting_{tilu::testing::TestRegistry()};
    cQueryReg registry_{counting_};
};

}  // namespace tilu::ui::testing
