// Deleting and replacing entries: the list, the key and the status line afterwards.
#include <gtest/gtest.h>

#include <optional>

#include "tests/history/history_harness.h"

namespace tilu {
namespace {

using testing::HistoryHarness;
using testing::kAbsent;
using testing::kDelete;
using testing::Layout;
using testing::Numbered;
using testing::RawValue;
using testing::Seed;
using testing::Slots;
using testing::Sz;
using testing::Texts;
using testing::Without;

// Values next to the history that no rewrite may touch.
const std::vector<Seed>& Bystanders() {
    static const std::vector<Seed> seeds = {Sz("url26", L"veintiséis"),
                                            Sz("url0", L"cero"),
                                            Sz("MRUList", L"abc"),
                                            {"url", kRegDword, {7, 0, 0, 0}}};
    return seeds;
}

void ExpectBystandersUntouched(const HistoryHarness& h) {
    for (const Seed& seed : Bystanders()) {
        EXPECT_EQ(h.key.GetRaw(seed.name), (RawValue{seed.type, seed.bytes})) << seed.name;
    }
}

struct EditCase {
    const char* name;
    std::vector<Seed> seeds;
    int selected;  // the user's selection, recorded as the window records it
    std::optional<std::wstring> replacement;
    Texts list;  // after the operation
    const wchar_t* status;
    std::optional<Texts> slots = {};  // url1 to url25 afterwards, when not Layout(list)
};

void Perform(HistoryHarness& h, const EditCase& c) {
    h.Seed(c.seeds + Bystanders());
    h.history.OnLoad();
    h.Click(c.selected);
    if (c.replacement) {
        h.Replace(*c.replacement);
    } else {
        h.history.DeleteSelectedEntry();
    }
}

TEST(Rewrite, DeleteAndReplaceLeaveTheListInUrl1Onwards) {
    const std::vector<std::uint8_t> dword = {4, 0, 0, 0};
    Texts fullWithNewLast = Numbered(25);
    fullWithNewLast[24] = L"última";
    const EditCase cases[] = {
        {"delete the third of seven",
         Slots({L"a", L"b", L"c", L"d", L"e", L"f", L"g"}),
         2,
         kDelete,
         {L"a", L"b", L"d", L"e", L"f", L"g"},
         L"Elemento seleccionado: 0  de 6"},
        {"delete the only entry",
         Slots({L"solo"}),
         0,
         kDelete,
         {},
         L"Elemento seleccionado: 0  de 0"},
        {"delete the first of url1, url3, url5",
         {Sz("url1", L"a"), Sz("url3", L"c"), Sz("url5", L"e")},
         0,
         kDelete,
         {L"c", L"e"},
         L"Elemento seleccionado: 0  de 2"},
        {"delete removes a hidden REG_DWORD url4 and an empty url2",
         {Sz("url1", L"a"),
          {"url2", kRegSz, {0}},
          Sz("url3", L"c"),
          {"url4", kRegDword, dword},
          Sz("url5", L"e")},
         1,
         kDelete,
         {L"a", L"e"},
         L"Elemento seleccionado: 0  de 2"},
        {"delete by position among equal texts",
         Slots({L"A", L"B", L"A"}),
         2,
         kDelete,
         {L"A", L"B"},
         L"Elemento seleccionado: 0  de 2"},
        {"delete the first of 25", Slots(Numbered(25)), 0, kDelete, Without(Numbered(25), 0),
         L"Elemento seleccionado: 0  de 24"},
        {"delete keeps a Cyrillic and a CJK address exactly",
         Slots({L"http://пример.рф/путь", L"http://borrar.es/", L"http://例え.テスト/中文"}),
         1,
         kDelete,
         {L"http://пример.рф/путь", L"http://例え.テスト/中文"},
         L"Elemento seleccionado: 0  de 2"},
        {"replace the second of four",
         Slots({L"a", L"b", L"c", L"d"}),
         1,
         L"nueva",
         {L"a", L"nueva", L"c", L"d"},
         L"Elemento seleccionado: 0 de 4"},
        {"replace by empty text leaves a gap",
         Slots({L"a", L"b", L"c", L"d"}),
         1,
         L"",
         {L"a", L"c", L"d"},
         L"Elemento seleccionado: 0 de 3",
         Layout({L"a", kAbsent, L"c", L"d"})},
        {"replace keeps blanks as typed",
         Slots({L"a", L"b"}),
         0,
         L"  x  ",
         {L"  x  ", L"b"},
         L"Elemento seleccionado: 0 de 2"},
        {"replace removes a hidden REG_DWORD url4 and closes gaps",
         {Sz("url1", L"a"), Sz("url3", L"c"), {"url4", kRegDword, dword}, Sz("url9", L"i")},
         2,
         L"nueve",
         {L"a", L"c", L"nueve"},
         L"Elemento seleccionado: 0 de 3"},
        {"replace the last of 25", Slots(Numbered(25)), 24, L"última", fullWithNewLast,
         L"Elemento seleccionado: 0 de 25"},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.name);
        HistoryHarness h(L"history.Rewrite");
        Perform(h, c);
        EXPECT_EQ(h.ListItems(), c.list);
        EXPECT_EQ(h.ReadSlots(), c.slots.value_or(Layout(c.list)));
        EXPECT_EQ(h.view.StatusLine(), c.status);
        EXPECT_EQ(h.view.List().SelectedIndex(), -1);
        EXPECT_EQ(h.view.RecordedIndex(), c.selected) << "only a selection change sets it";
        EXPECT_TRUE(h.view.Notices().empty());
        ExpectBystandersUntouched(h);
    }
}

TEST(Rewrite, DeletingTheOnlyEntryKeepsTheKey) {
    HistoryHarness h(L"history.KeepKey");
    h.Seed(Slots({L"solo"}));
    h.history.OnLoad();
    h.view.List().Select(0);
    h.history.DeleteSelectedEntry();
    EXPECT_TRUE(h.key.Exists());
}

TEST(Rewrite, ALaterReplaceClosesTheGapOfAnEmptyReplacement) {
    HistoryHarness h(L"history.CloseGap");
    h.Seed(Slots({L"a", L"b", L"c", L"d"}));
    h.history.OnLoad();
    h.Click(1);
    h.Replace(L"");
    ASSERT_EQ(h.ReadSlots(), Layout({L"a", kAbsent, L"c", L"d"}));

    h.Click(0);
    h.Replace(L"z");

    EXPECT_EQ(h.ReadSlots(), Layout({L"z", L"c", L"d"}));
    EXPECT_EQ(h.view.StatusLine(), L"Elemento seleccionado: 0 de 3");
}

// Everything the user can see or the key holds, to show that an operation changed nothing.
struct Observed {
    Texts list;
    int selected;
    std::int16_t recorded;
    std::wstring status;
    Texts slots;
    std::vector<std::optional<RawValue>> bystanders;
};

Observed Observe(const HistoryHarness& h) {
    Observed o{h.ListItems(),          h.view.List().SelectedIndex(),
               h.view.RecordedIndex(), h.view.StatusLine(),
               h.ReadSlots(),          {}};
    for (const Seed& seed : Bystanders()) {
        o.bystanders.push_back(h.key.GetRaw(seed.name));
    }
    return o;
}

void ExpectUnchanged(const Observed& now, const Observed& before) {
    EXPECT_EQ(now.list, before.list);
    EXPECT_EQ(now.selected, before.selected);
    EXPECT_EQ(now.recorded, before.recorded);
    EXPECT_EQ(now.status, before.status);
    EXPECT_EQ(now.slots, before.slots);
    EXPECT_EQ(now.bystanders, before.bystanders);
}

TEST(DeleteSelectedEntry, WithNothingSelectedOnlyTellsTheUser) {
    HistoryHarness h(L"history.NothingSelected");
    // A key a rewrite would change: a gap and a hidden value.
    h.Seed({Sz("url1", L"a"), Sz("url3", L"c"), {"url4", kRegDword, {1, 0, 0, 0}}});
    h.Seed(Bystanders());
    h.history.OnLoad();
    h.Click(1);
    h.view.List().Select(-1);  // the list lost its selection without a selection event
    const Observed before = Observe(h);

    h.history.DeleteSelectedEntry();

    EXPECT_EQ(h.view.Notices(), Texts{L"No has seleccionado ningún elemento."});
    ExpectUnchanged(Observe(h), before);
}

}  // namespace
}  // namespace tilu
