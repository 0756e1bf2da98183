// A delete or a replace changes only what the user changed: entries it did not touch stay
// byte-identical, and a key that another program changed since the list was filled is left as
// that program left it.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>
#include <optional>

#include "history/status_line.h"
#include "registry/scoped_key.h"
#include "tests/history/history_harness.h"
#include "tests/support/fault_injection.h"

namespace tilu {
namespace {

using testing::HistoryHarness;
using testing::kDelete;
using testing::Numbered;
using testing::RawValue;
using testing::Slots;
using testing::Texts;

struct OutsideCase {
    const char* name;
    std::function<void(testing::ScratchKey&)> outside;  // the other program, after the load
    std::optional<std::wstring> replacement;            // none: the selected entry is deleted
};

TEST(OutsideChange, NothingIsWrittenAndTheUserIsTold) {
    const OutsideCase cases[] = {
        {"url8 added and url1 changed",
         [](auto& key) {
             testing::SeedKey(key, {testing::Sz("url8", L"ocho"), testing::Sz("url1", L"otra")});
         },
         kDelete},
        {"the key deleted (the history cleared elsewhere)",
         [](auto& key) {
             testing::DeleteTreeRaw(testing::TestRegistry(), testing::kCurrentUserKey,
                                    key.Subkey());
         },
         kDelete},
        {"url3 removed, then a replace",
         [](auto& key) {
             ScopedKey opened(testing::TestRegistry());
             opened.Open(testing::kCurrentUserKey, key.Subkey().c_str(), kKeyWrite);
             testing::TestRegistry().DeleteValue(opened.Get(), "url3");
         },
         L"nueva"},
        {"url2 made a REG_DWORD, then a replace",
         [](auto& key) {
             key.SetRaw("url2", kRegDword, {1, 0, 0, 0});
         },
         L"nueva"},
        {"url7 changed, then a replace", [](auto& key) { testing::SetWide(key, "url7", L"Ж"); },
         L"nueva"},
    };
    for (const OutsideCase& c : cases) {
        SCOPED_TRACE(c.name);
        HistoryHarness h(L"history.OutsideChange");
        h.Seed(Slots(Numbered(7)));
        h.history.OnLoad();
        h.Click(6);
        c.outside(h.key);
        const Texts leftByOther = h.ReadSlots();
        const bool keyLeft = h.key.Exists();

        if (c.replacement) {
            h.Replace(*c.replacement);
        } else {
            h.history.DeleteSelectedEntry();
        }

        EXPECT_EQ(h.ReadSlots(), leftByOther);
        EXPECT_EQ(h.key.Exists(), keyLeft);
        Texts shown;
        for (const std::wstring& slot : leftByOther) {
            if (slot != testing::kAbsent && slot.front() != L'(') {
                shown.push_back(slot);
            }
        }
        EXPECT_EQ(h.ListItems(), shown);
        EXPECT_EQ(h.view.StatusLine(), RefreshStatus(static_cast<int>(shown.size())));
        EXPECT_EQ(h.view.Notices(), Texts{L"El historial ha cambiado fuera del programa."});
    }
}

// A value that another program rewrites larger before every read cannot be read whole from the
// list's load on: it counts as changed, and nothing is written over it.
TEST(OutsideChange, AValueThatKeepsGrowingIsNotWrittenOver) {
    FaultInjectingRegistry store(testing::TestRegistry());
    HistoryHarness h(L"history.Growing", store);
    h.Seed(Slots(Numbered(7)));
    store.Before([](auto, auto& call) {
        return call.text == "url4" ? std::optional<Status>(kErrorMoreData) : std::nullopt;
    });
    h.history.OnLoad();
    h.Click(0);
    h.history.DeleteSelectedEntry();
    EXPECT_EQ(h.ReadSlots(), testing::Layout(Numbered(7)));
    EXPECT_EQ(h.view.Notices(), Texts{L"El historial ha cambiado fuera del programa."});
}

// Two copies of the program on one history: A deletes the first entry; B, on another thread,
// accepts an edit of the third as A is about to write. B waits for A and is told of its change.
// Without the lock B would write first and A, rewriting from what it read before, undo B's edit.
TEST(TwoCopies, OneChangeWaitsForTheOtherAndItsUserIsTold) {
    FaultInjectingRegistry paused(testing::TestRegistry());
    HistoryHarness a(L"history.TwoCopies", paused);
    a.Seed(Slots(Numbered(5)));
    a.history.OnLoad();
    a.Click(0);
    MemoryView view;
    testing::TestLock lock(a.key.Path());
    const cQueryReg registry(testing::TestRegistry());
    History b(registry, view, {a.key.Path(), a.timeKey.Path()}, lock);
    b.OnLoad();
    view.List().Select(2);
    b.BeginEdit();
    std::future<void> copyB;
    paused.Before([&](auto, auto& call) {
        if (call.op == Op::SetValueBytes && !copyB.valid()) {
            copyB = std::async(std::launch::async, [&] { b.ReplaceEntry(L"nueva"); });
            // Long enough for B's whole change, had it not to wait.
            copyB.wait_for(std::chrono::milliseconds(300));
        }
        return std::optional<Status>();
    });
    a.history.DeleteSelectedEntry();
    copyB.wait();

    EXPECT_EQ(a.ReadSlots(), testing::Layout(testing::Without(Numbered(5), 0)));
    EXPECT_EQ(view.Notices(), Texts{L"El historial ha cambiado fuera del programa."});
}

// Texts that only survive when no code page stands between the program and the registry, and
// that a list box cannot hold whole.
const std::pair<const char*, std::wstring> kExactTexts[] = {
    {"Cyrillic", L"http://пример.рф/"},
    {"CJK", L"http://例え.jp/"},
    {"emoji", L"http://\U0001F600.example/"},
    {"Latin-1", L"http://ñandú.example/"},
    {"unpaired surrogate", L"http://x\xD800y.example/"},
    {"embedded NUL", std::wstring(L"http://emb.example/\0tail", 24)},
};

// The url1 slot is another program's; a user's delete or replace of it leaves every exotic text
// in slots 2 onwards byte-identical as RegQueryValueExW reads them, whatever the process's code
// page.
TEST(UntouchedEntries, StayByteIdentical) {
    for (const std::optional<std::wstring>& edit :
         {std::optional<std::wstring>(kDelete), std::optional<std::wstring>(L"nueva")}) {
        SCOPED_TRACE(edit ? "replace the first" : "delete the first");
        HistoryHarness h(L"history.Untouched");
        h.Seed(Slots({L"http://ascii.example/"}));
        std::size_t slot = 2;
        for (const auto& [name, text] : kExactTexts) {
            testing::SetWide(h.key, "url" + std::to_string(slot++), text);
        }
        h.history.OnLoad();
        std::vector<std::optional<RawValue>> before;
        for (std::size_t s = 2; s < slot; ++s) {
            before.push_back(testing::GetWide(h.key, "url" + std::to_string(s)));
        }
        h.Click(0);
        if (edit) {
            h.Replace(*edit);
        } else {
            h.history.DeleteSelectedEntry();
        }
        const std::size_t first = edit ? 2 : 1;  // where the untouched entries stand now
        for (std::size_t i = 0; i < before.size(); ++i) {
            SCOPED_TRACE(kExactTexts[i].first);
            EXPECT_EQ(testing::GetWide(h.key, "url" + std::to_string(first + i)), before[i]);
        }
        EXPECT_TRUE(h.view.Notices().empty());
    }
}

}  // namespace
}  // namespace tilu
