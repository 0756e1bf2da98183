// A history wired to a scratch key of the test registry, a list held in memory and a message
// dialog that records its steps; plus helpers to lay out and read back the slots.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "history/history.h"
#include "history/memory_view.h"
#include "history/message_dialog.h"
#include "registry/cqueryreg.h"
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

// One value to put into the key before a test.
struct Seed {
    std::string name;
    std::uint32_t type;
    std::vector<std::uint8_t> bytes;
};

// A REG_SZ value as the browser writes it: the ANSI text and its NUL.
Seed Sz(std::string name, const std::wstring& text);
// Slots url1, url2, ... holding these texts.
std::vector<Seed> Slots(const std::vector<std::wstring>& texts);
// Seeds joined.
std::vector<Seed> operator+(std::vector<Seed> a, const std::vector<Seed>& b);

// How a slot reads back: its text for a REG_SZ value, kAbsent when missing, and a type tag for
// anything else.
inline const std::wstring kAbsent = L"(absent)";
// Slots 1 to 25 as they should read: these texts, then absent slots.
std::vector<std::wstring> Layout(std::vector<std::wstring> texts);

class HistoryHarness {
public:
    // `api` is the registry the history works through; seeding and reading back always use the
    // test registry itself.
    explicit HistoryHarness(const std::wstring& keyName, RegistryApi& api = TestRegistry());

    void Seed(const std::vector<testing::Seed>& seeds);
    // Slots url1 to url25, as Layout describes them.
    std::vector<std::wstring> ReadSlots() const;
    std::vector<std::wstring> ListItems() const { return view.List().Items(); }

    ScratchKey key;
    cQueryReg registry;
    MemoryView view;
    RecordingDialog dialog;
    History history;
};

}  // namespace tilu::testing
