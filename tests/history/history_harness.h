// A history wired to a scratch key of the test registry, a list held in memory and a message
// dialog that records its steps.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "history/history.h"
#include "history/memory_view.h"
#include "history/message_dialog.h"
#include "registry/cqueryreg.h"
#include "tests/support/history_slots.h"
#include "tests/support/test_registry.h"

namespace tilu::testing {

// A message dialog that records each step as text, in order.
class RecordingDialog : public MessageDialog {
public:
    void SetMessageText(const std::wstring& text) override { steps.push_back(L"text: " + text); }
    void SetButtonCaption(const std::wstring& caption) override {
        steps.push_back(L"caption: " + caption);
    }
    void Beep() override { steps.push_back(L"beep"); }
    void ShowModal() override { steps.push_back(L"show"); }

    std::vector<std::wstring> steps;
};

class HistoryHarness {
public:
    // `api` is the registry the history works through; seeding and reading back always use the
    // test registry itself.
    explicit HistoryHarness(const std::wstring& keyName, RegistryApi& api = TestRegistry());

    void Seed(const std::vector<testing::Seed>& seeds);
    // Slots url1 to url25, as Layout describes them.
    std::vector<std::wstring> ReadSlots() const { return testing::ReadSlots(key); }
    std::vector<std::wstring> ListItems() const { return view.List().Items(); }

    ScratchKey key;
    cQueryReg registry;
    MemoryView view;
    RecordingDialog dialog;
    History history;
};

}  // namespace tilu::testing
