// A history wired to a scratch key of the test registry and a view held in memory.
#pragma once

#include <chrono>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "history/history.h"
#ifdef _WIN32
#include "history/session_lock.h"
#endif
#include "registry/cqueryreg.h"
#include "tests/support/history_slots.h"
#include "tests/support/memory_view.h"
#include "tests/support/test_registry.h"

namespace tilu::testing {

using Texts = std::vector<std::wstring>;

#ifdef _WIN32
using TestLock = SessionLock;
#else
// Natively, where the test registry is in memory, one change lock for the whole process.
class TestLock : public ChangeLock {
public:
    explicit TestLock(const std::wstring&) {}
    bool Acquire() override { return mutex_.try_lock_for(std::chrono::seconds(3)); }
    void Release() override { mutex_.unlock(); }

private:
    static inline std::timed_mutex mutex_;
};
#endif

// "http://sitio1.es/" ... for `count` entries.
inline Texts Numbered(int count) {
    Texts texts;
    for (int i = 1; i <= count; ++i) {
        texts.push_back(L"http://sitio" + std::to_wstring(i) + L".es/");
    }
    return texts;
}

// The texts without the one at `position`.
inline Texts Without(Texts texts, std::size_t position) {
    texts.erase(texts.begin() + static_cast<std::ptrdiff_t>(position));
    return texts;
}

// In a table of edits, in place of a replacement text: the selected entry is deleted.
inline constexpr std::nullopt_t kDelete = std::nullopt;

class HistoryHarness {
public:
    // `api` is the registry the history works through; seeding and reading back always use the
    // test registry itself.
    explicit HistoryHarness(const std::wstring& keyName, RegistryApi& api = TestRegistry())
        : key(keyName),
          timeKey(keyName + L".times"),
          lock(key.Path()),
          registry(api),
          history(registry, view, {key.Path(), timeKey.Path()}, lock) {}

    void Seed(const std::vector<testing::Seed>& seeds) { SeedKey(key, seeds); }
    // The user selects the entry at `position` (-1: none), as a click in the list does.
    void Click(int position) {
        view.List().Select(position);
        history.RecordSelection();
    }
    // The user opens the edit dialog on the selected entry and accepts `text`.
    void Replace(const std::wstring& text) {
        history.BeginEdit();
        history.ReplaceEntry(text);
    }
    // Slots url1 to url25, as Layout describes them.
    std::vector<std::wstring> ReadSlots() const { return testing::ReadSlots(key); }
    std::vector<std::wstring> ListItems() const { return view.List().Items(); }

    ScratchKey key;
    ScratchKey timeKey;  // the twin key of times
    TestLock lock;
    cQueryReg registry;
    MemoryView view;
    History history;
};

}  // namespace tilu::testing
