// Filling the list from the key, the selection status and refresh.
#include <gtest/gtest.h>

#include "tests/history/history_harness.h"

namespace tilu {
namespace {

using testing::HistoryHarness;
using testing::Numbered;
using testing::Seed;
using testing::Slots;
using testing::Sz;

TEST(ReloadHistory, ListsTheNonEmptySlotsInNumericOrder) {
    const std::vector<std::uint8_t> dword = {1, 0, 0, 0};
    struct Case {
        const char* name;
        std::vector<Seed> seeds;
        std::vector<std::wstring> expected;
    };
    const Case cases[] = {
        {"gaps do not end the history",
         {Sz("url1", L"uno"), Sz("url3", L"tres"), Sz("url10", L"diez")},
         {L"uno", L"tres", L"diez"}},
        {"url9 before url10, whatever the writing order",
         {Sz("url10", L"diez"), Sz("url2", L"dos"), Sz("url9", L"nueve")},
         {L"dos", L"nueve", L"diez"}},
        {"other types and empty texts are skipped",
         {{"url1", kRegExpandSz, {'%', 'x', '%', 0}},
          {"url2", kRegDword, dword},
          {"url3", kRegSz, {0}},
          {"url4", kRegSz, {}},
          {"url5", kRegBinary, {'a', 0}},
          Sz("url6", L"seis")},
         {L"seis"}},
        {"a blank is an entry", {Sz("url1", L" ")}, {L" "}},
        {"equal texts are two entries", {Sz("url1", L"a"), Sz("url2", L"a")}, {L"a", L"a"}},
        {"url26 and other names are not history",
         {Sz("url26", L"no"), Sz("url0", L"no"), Sz("url01", L"no"), Sz("MRUList", L"no"),
          Sz("url25", L"sí")},
         {L"sí"}},
        {"all 25 slots", Slots(Numbered(25)), Numbered(25)},
        {"Cyrillic and CJK addresses",
         {Sz("url1", L"http://пример.рф/путь"), Sz("url2", L"http://例え.テスト/中文")},
         {L"http://пример.рф/путь", L"http://例え.テスト/中文"}},
        {"a missing key gives an empty list", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HistoryHarness h(L"history.Load");
        h.Seed(c.seeds);
        // What a window may hold from before: the load starts afresh.
        h.view.List().Fill({L"left over"});
        h.view.SetRecordedIndex(5);
        h.history.OnLoad();
        EXPECT_EQ(h.ListItems(), c.expected);
        EXPECT_EQ(h.view.List().SelectedIndex(), -1);
        EXPECT_EQ(h.view.RecordedIndex(), 0);
        EXPECT_EQ(h.view.StatusLine(),
                  L"Elemento seleccionado: 0 de " + std::to_wstring(c.expected.size()));
    }
}

TEST(RecordSelection, RecordsTheIndexAndShowsItPlusOne) {
    struct Case {
        int entries;
        int selected;
        const wchar_t* status;
    };
    for (const Case& c : {Case{7, 2, L"Elemento seleccionado: 3 de 7"},
                          Case{1, 0, L"Elemento seleccionado: 1 de 1"},
                          Case{25, 24, L"Elemento seleccionado: 25 de 25"},
                          Case{7, -1, L"Elemento seleccionado: 0 de 7"}}) {
        SCOPED_TRACE("selected " + std::to_string(c.selected) + " of " + std::to_string(c.entries));
        HistoryHarness h(L"history.Select");
        h.Seed(Slots(Numbered(c.entries)));
        h.history.OnLoad();
        h.Click(c.selected);
        EXPECT_EQ(h.view.RecordedIndex(), c.selected);
        EXPECT_EQ(h.view.StatusLine(), c.status);
    }
}

TEST(Refresh, LosesTheSelectionButKeepsTheRecordedIndex) {
    HistoryHarness h(L"history.Refresh");
    h.Seed(Slots(Numbered(7)));
    h.history.OnLoad();
    h.Click(4);
    h.Seed({Sz("url8", L"nueva")});

    h.history.Refresh();

    EXPECT_EQ(h.view.List().SelectedIndex(), -1);
    EXPECT_EQ(h.view.RecordedIndex(), 4);
    EXPECT_EQ(h.view.List().Count(), 8);
    EXPECT_EQ(h.view.StatusLine(), L"Elemento seleccionado: 0 de 8");
}

}  // namespace
}  // namespace tilu
