// The typed-address history operations of the main window: filling its list from the history
// key, following the selection, and rewriting the key after a delete or a replace.
//
// The history keeps the slots as read when the list was filled, each address and its time (the
// twin key's same-named value) as stored; the list shows the addresses' texts. Every change is
// made on those entries, both keys are rewritten from them and the list is filled again, so the
// user sees what the keys hold. A change moves entries up to close gaps and drops what the list
// cannot show (an empty or non-REG_SZ address, a time without an address); every entry the user
// did not change keeps its address's and its time's bytes exactly, and each time stays with its
// address. An edit that changes nothing writes nothing.
//
// A rewrite never starts from a stale list: under a lock that every copy of the program shares,
// a delete or a replace first reads the slots of both keys again. If another program changed any
// of them meanwhile, nothing is written: the list is filled again and the user told. Each write
// is checked; at the first the registry refuses, the rewrite stops (the keys are sound at any
// stop), the list is filled again and the user told that the change was not saved.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "history/change_lock.h"
#include "history/history_view.h"
#include "history/slots.h"
#include "registry/cqueryreg.h"

namespace tilu {

// The two keys of the history: HistoryKeyPath and HistoryTimeKeyPath in the program; tests name
// scratch ones.
struct HistoryKeys {
    std::wstring addresses;
    std::wstring times;
};

class History {
public:
    // `lock` is shared with every other copy of the program working on the same keys.
    History(const cQueryReg& registry, HistoryView& view, HistoryKeys keys, ChangeLock& lock);

    // The main window's load: the list from the key, then the status line's load form.
    void OnLoad();
    // The refresh command.
    void Refresh();
    // The list's selection changed.
    void RecordSelection();
    // The modify command, before its dialog opens: the highlighted entry is recorded as a
    // selection records it and becomes the one ReplaceEntry replaces, whatever the selection does
    // meanwhile. Returns its whole text (it may hold NULs, which a text box does not show). With
    // nothing highlighted, tells the user that the command needs an entry and returns nothing.
    std::optional<std::wstring> BeginEdit();

    // Fills the list with the non-empty slots in slot order; selects nothing.
    void ReloadHistory();
    // Makes slots 1 to 25 of both keys hold the entries by position: an entry's address and time
    // as read, or its replaced text beside its time; an empty text leaves its slot absent in
    // both. Slots that already hold their target are not written. Stops at the first write the
    // registry refuses, and then returns false.
    bool RewriteHistory();
    // The delete command: removes the selected entry, rewrites and reloads.
    void DeleteSelectedEntry();
    // The edit dialog's accept: the entry BeginEdit gave gets newText (which may be empty). Its
    // own text changes nothing and writes nothing. Without such an entry (the list was filled
    // again since), the list, the keys and the status line stay as they are.
    void ReplaceEntry(const std::wstring& newText);

private:
    // A slot as stored: its address and its time, each absent or a value of any type.
    struct Slot {
        std::optional<StoredValue> address;
        std::optional<StoredValue> time;

        bool operator==(const Slot&) const = default;
    };
    using Slots = std::array<Slot, SlotCount>;
    // An item of the list: the slot it was read from (an index into loaded_) and its text, unless
    // the user replaced it.
    struct Entry {
        std::size_t slot;
        std::wstring text;
        bool replaced = false;
    };
    // How a change ended.
    enum class Outcome { kSaved, kChangedElsewhere, kNotSaved };

    // The selected entry's position, or nothing when the selection names none.
    std::optional<std::size_t> Selected() const;
    // Whether an entry is selected; if not, tells the user that the command needs one.
    bool RequireSelection();
    // Both keys' slots, each key opened once. False when a value could not be read for another
    // reason than its absence; it reads as absent.
    bool ReadSlots(Slots& slots) const;
    // Fills the list from the slots' non-empty texts, remembering the slots; no entry is in edit
    // afterwards.
    void Fill(const Slots& slots);
    // Under the change lock: reads both keys again and, if they still hold what the list was
    // filled from, makes `edit` on the entries, rewrites the keys and reloads the list; otherwise
    // fills the list from what they hold and writes nothing.
    template <class Edit>
    Outcome Change(Edit edit);
    // After a change: the status line, `savedStatus` for the new count if it was saved, the
    // refresh form otherwise; then, if it was not saved, the user is told why.
    void Report(Outcome outcome, std::wstring (*savedStatus)(int count));
    // What a slot is to hold after the change: the entry now at that position (none beyond the
    // entries).
    Slot Target(std::size_t position) const;

    const cQueryReg& registry_;
    HistoryView& view_;
    HistoryKeys keys_;
    ChangeLock& lock_;
    Slots loaded_;                       // the slots as the list was last filled from them
    std::vector<Entry> entries_;         // the list's items, in list order
    std::optional<std::size_t> edited_;  // the position of the entry in the edit dialog
};

}  // namespace tilu
