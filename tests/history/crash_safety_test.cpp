// A rewrite stopped after any number of registry operations loses no entry that it keeps.
// The stop is simulated by failing every registry call from the k-th on, for every k.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "history/slots.h"
#include "tests/history/history_harness.h"
#include "tests/support/fault_injection.h"

namespace tilu {
namespace {

using testing::HistoryHarness;
using testing::kDelete;
using testing::Layout;
using testing::Numbered;
using testing::Seed;
using testing::Slots;
using testing::Sz;
using testing::Texts;
using testing::Without;

// A history whose registry calls can be stopped.
struct StoppableHistory {
    explicit StoppableHistory(const std::wstring& keyName) : h(keyName, fault) {}

    FaultInjectingRegistry fault{testing::TestRegistry()};
    HistoryHarness h;
};

struct CrashCase {
    const char* name;
    std::vector<Seed> seeds;
    int selected;
    std::optional<std::wstring> replacement;  // none: the selected entry is deleted
    Texts survivors;                          // entries never missing from url1 to url25
    Texts finalList;
    std::optional<Texts> finalSlots = {};  // after the uninterrupted operation, if not Layout
};

void Operate(History& history, const CrashCase& c) {
    if (c.replacement) {
        history.ReplaceEntry(*c.replacement);
    } else {
        history.DeleteSelectedEntry();
    }
}

// The survivors that slots 1 to 25 lack, counting equal texts separately.
Texts Missing(const Texts& survivors, Texts slots) {
    Texts missing;
    for (const std::wstring& text : survivors) {
        auto found = std::find(slots.begin(), slots.end(), text);
        if (found == slots.end()) {
            missing.push_back(text);
        } else {
            slots.erase(found);
        }
    }
    return missing;
}

void Prepare(StoppableHistory& s, const CrashCase& c) {
    s.h.Seed(c.seeds);
    s.h.history.OnLoad();
    s.h.Click(c.selected);
}

// Runs the operation once without a stop and returns how many registry calls it made.
std::size_t CountOperations(const CrashCase& c) {
    StoppableHistory s(L"history.CrashSafety");
    Prepare(s, c);
    s.fault.Clear();
    Operate(s.h.history, c);
    EXPECT_EQ(s.h.ListItems(), c.finalList) << "uninterrupted";
    EXPECT_EQ(s.h.ReadSlots(), c.finalSlots.value_or(Layout(c.finalList))) << "uninterrupted";
    return s.fault.OperationCount();
}

// Stops the operation after k registry calls, for every k, and checks the slots left behind;
// reports the first k that loses a surviving entry.
void ExpectNoStopLosesASurvivor(const CrashCase& c) {
    const std::size_t total = CountOperations(c);
    ASSERT_GT(total, 0u);
    for (std::size_t k = 0; k <= total; ++k) {
        StoppableHistory s(L"history.CrashSafety");
        Prepare(s, c);
        s.fault.FailAfter(k, kErrorAccessDenied);
        Operate(s.h.history, c);
        s.fault.Clear();
        const Texts missing = Missing(c.survivors, s.h.ReadSlots());
        if (!missing.empty()) {
            ADD_FAILURE() << "stopped after " << k << " of " << total << " calls, missing "
                          << ::testing::PrintToString(missing);
            return;
        }
    }
}

TEST(CrashSafety, NoStopLosesAnEntryThatSurvives) {
    const Texts fullLessFirst = Without(Numbered(SlotCount), 0);
    const CrashCase cases[] = {
        {"delete the first of 25", Slots(Numbered(SlotCount)), 0, kDelete, fullLessFirst,
         fullLessFirst},
        {"delete the third of seven",
         Slots({L"a", L"b", L"c", L"d", L"e", L"f", L"g"}),
         2,
         kDelete,
         {L"a", L"b", L"d", L"e", L"f", L"g"},
         {L"a", L"b", L"d", L"e", L"f", L"g"}},
        {"delete among gaps, hidden values and equal texts",
         {Sz("url2", L"A"),
          {"url3", kRegDword, {1, 0, 0, 0}},
          Sz("url5", L"B"),
          {"url6", kRegSz, {0}},
          Sz("url9", L"A"),
          Sz("url10", L"пример"),
          Sz("url25", L"例え")},
         0,
         kDelete,
         {L"B", L"A", L"пример", L"例え"},
         {L"B", L"A", L"пример", L"例え"}},
        {"replace among gaps",
         {Sz("url1", L"a"), Sz("url3", L"b"), Sz("url10", L"c"), Sz("url20", L"d")},
         2,
         L"nueva",
         {L"a", L"b", L"d"},
         {L"a", L"b", L"nueva", L"d"}},
        {"replace by empty text among gaps",
         {Sz("url4", L"a"), Sz("url8", L"b"), Sz("url16", L"c")},
         0,
         L"",
         {L"b", L"c"},
         {L"b", L"c"},
         Layout({testing::kAbsent, L"b", L"c"})},
    };
    for (const CrashCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectNoStopLosesASurvivor(c);
    }
}

// Deletes every slot, then writes the texts: the order that the check above must reject.
void ClearFirstRewrite(const cQueryReg& registry, const std::wstring& path, const Texts& texts) {
    for (int slot = 1; slot <= SlotCount; ++slot) {
        registry.DeleteValue(path, SlotName(slot), kHkeyCurrentUser);
    }
    for (int slot = 1; slot <= static_cast<int>(texts.size()); ++slot) {
        registry.SetValue(path, SlotName(slot), Data(texts[slot - 1]), kHkeyCurrentUser,
                          static_cast<std::int32_t>(kRegSz), -1);
    }
}

TEST(CrashSafety, TheCheckCatchesAClearFirstRewrite) {
    const Texts survivors = {L"a", L"b", L"d", L"e", L"f", L"g"};
    std::size_t losingStops = 0;
    for (std::size_t k = 0; k <= 100; ++k) {
        StoppableHistory s(L"history.CrashSafety");
        s.h.Seed(Slots({L"a", L"b", L"c", L"d", L"e", L"f", L"g"}));
        s.fault.FailAfter(k, kErrorAccessDenied);
        ClearFirstRewrite(s.h.registry, s.h.key.Path(), survivors);
        s.fault.Clear();
        if (!Missing(survivors, s.h.ReadSlots()).empty()) {
            ++losingStops;
        }
    }
    EXPECT_GT(losingStops, 0u);
}

}  // namespace
}  // namespace tilu
