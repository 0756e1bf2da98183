// A rewrite stopped after any number of registry operations, or refused any of them, loses no entry
// that it keeps, nor its time.
// The stop is simulated by failing every registry call from the k-th on, for every k.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

#include "history/slots.h"
#include "registry/wtf8.h"
#include "tests/history/history_harness.h"
#include "tests/support/fault_injection.h"

namespace tilu {
namespace {

using testing::HistoryHarness;
using testing::kDelete;
using testing::Layout;
using testing::Numbered;
using testing::RawValue;
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
        history.BeginEdit();
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

// The time the twin key holds for an address: a value that differs from text to text (times move
// byte for byte whatever their size).
RawValue TimeOf(const std::wstring& text) {
    return {kRegBinary, ToUtf16Bytes(text)};
}

// Each seeded address gets its time in the twin key.
void Prepare(StoppableHistory& s, const CrashCase& c) {
    s.h.Seed(c.seeds);
    for (const Seed& seed : c.seeds) {
        const std::string_view text(reinterpret_cast<const char*>(seed.bytes.data()),
                                    seed.bytes.size());
        if (seed.type == kRegSz && text.size() > 1) {
            s.h.timeKey.SetStored(seed.name, TimeOf(FromWtf8(text.substr(0, text.size() - 1))));
        }
    }
    s.h.history.OnLoad();
    s.h.Click(c.selected);
}

// What a stop did to the survivors' times: those found in no slot, and how many slots hold a
// survivor beside a time that is not its own.
std::pair<Texts, int> TimeDamage(const Texts& survivors, const Texts& slots,
                                 const testing::ScratchKey& timeKey) {
    std::vector<std::optional<RawValue>> times;
    for (int slot = 1; slot <= SlotCount; ++slot) {
        times.push_back(testing::GetWide(timeKey, "url" + std::to_string(slot)));
    }
    int mispaired = 0;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const bool survivor =
            std::find(survivors.begin(), survivors.end(), slots[i]) != survivors.end();
        mispaired += survivor && times[i] != TimeOf(slots[i]) ? 1 : 0;
    }
    Texts lost;
    for (const std::wstring& text : survivors) {
        const auto found = std::find(times.begin(), times.end(), TimeOf(text));
        if (found == times.end()) {
            lost.push_back(text);
        } else {
            found->reset();
        }
    }
    return {lost, mispaired};
}

// Runs the operation once without a stop and returns the range of stops that matter: from the
// call before its first write to the one after its last (a stop outside it writes nothing more).
std::pair<std::size_t, std::size_t> WritingCalls(const CrashCase& c) {
    StoppableHistory s(L"history.CrashSafety");
    Prepare(s, c);
    s.fault.Clear();
    Operate(s.h.history, c);
    EXPECT_EQ(s.h.ListItems(), c.finalList) << "uninterrupted";
    EXPECT_EQ(s.h.ReadSlots(), c.finalSlots.value_or(Layout(c.finalList))) << "uninterrupted";
    const std::vector<Op> ops = s.fault.Ops();
    const auto writes = [](Op op) {
        return op == Op::SetValueEx || op == Op::SetValueBytes || op == Op::DeleteValue ||
               op == Op::CreateKey || op == Op::DeleteKey;
    };
    const auto first = std::find_if(ops.begin(), ops.end(), writes);
    const auto last = std::find_if(ops.rbegin(), ops.rend(), writes);
    return {static_cast<std::size_t>(first - ops.begin()),
            static_cast<std::size_t>(ops.rend() - last)};
}

// Stops the operation after k registry calls, for every k, and, apart, refuses call k alone; checks
// the slots of both keys left behind. Reports the first k that loses a surviving entry or its
// time, or pairs more than the slot being written with a time not its own; or, refused alone,
// leaves the change unmade without telling the user and showing what the keys hold.
void ExpectNoStopLosesASurvivor(const CrashCase& c) {
    const auto [from, total] = WritingCalls(c);
    ASSERT_LT(from, total) << "no write";
    for (std::size_t step = 2 * from; step <= 2 * total + 1; ++step) {
        const std::size_t k = step / 2;
        const bool alone = step % 2 == 1;
        StoppableHistory s(L"history.CrashSafety");
        Prepare(s, c);
        s.fault.Clear();
        s.fault.Before([&](std::size_t n, auto&) {
            return (alone ? n == k : n >= k) ? std::optional<Status>(kErrorAccessDenied)
                                             : std::nullopt;
        });
        Operate(s.h.history, c);
        s.fault.Clear();
        const Texts slots = s.h.ReadSlots();
        const Texts missing = Missing(c.survivors, slots);
        const auto [lostTimes, mispaired] = TimeDamage(c.survivors, slots, s.h.timeKey);
        const Texts shown = s.h.ListItems();
        s.h.history.Refresh();
        const bool untold = alone && slots != c.finalSlots.value_or(Layout(c.finalList)) &&
                            (s.h.view.Notices() != Texts{L"No se ha podido guardar el cambio."} ||
                             shown != s.h.ListItems());
        if (!missing.empty() || !lostTimes.empty() || mispaired > 1 || untold) {
            ADD_FAILURE() << (alone ? "refused call " : "stopped after ") << k << " of " << total
                          << " calls, missing " << ::testing::PrintToString(missing)
                          << ", times lost " << ::testing::PrintToString(lostTimes) << ", "
                          << mispaired << " slots with another's time"
                          << (untold ? ", the user not told" : "");
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
