// The program's windows in the test process, working on a scratch history key: seeding the key
// and reading its slots back, and the user's input on the main window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/program.h"
#include "history/session_lock.h"
#include "registry/cqueryreg.h"
#include "registry/registry_api.h"
#include "tests/support/fault_injection.h"
#include "tests/support/history_slots.h"
#include "tests/support/test_registry.h"
#include "tests/ui/ui_test_support.h"
#include "ui/layer/lightweight.h"
#include "ui/windows/form1.h"

namespace tilu::ui::testing {

using tilu::testing::kAbsent;
using tilu::testing::Layout;
using tilu::testing::Sz;

// Seven addresses, for a history of a handful of entries.
inline const std::vector<std::wstring> kSeven = {
    L"https://uno.es/",   L"https://dos.es/",  L"https://tres.es/",  L"https://cuatro.es/",
    L"https://cinco.es/", L"https://seis.es/", L"https://siete.es/",
};

// The program's windows, built afresh for each test, work on a scratch key; the seams record
// beeps and program ends.
class ProgramTest : public WindowTest {
protected:
    // Values put into the key as they are.
    void Seed(const std::vector<tilu::testing::Seed>& seeds);
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
    tilu::testing::ScratchKey timeKey_{L"program.windows.times"};
    FaultInjectingRegistry counting_{tilu::testing::TestRegistry()};
    cQueryReg registry_{counting_};
    SessionLock lock_{key_.Path()};
    Program program_{application_, registry_, {key_.Path(), timeKey_.Path()}, lock_};
};

}  // namespace tilu::ui::testing
