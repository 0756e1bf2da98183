// The typed-address history operations of the main window: filling its list from the history
// key, following the selection, and rewriting the key after a delete or a replace.
//
// The history keeps the slots as read when the list was filled, each address and its time (the
// twin key's same-named value) as stored; the list shows the addresses' texts. Every change is
// made on those entries, both keys are rewritten from them and the list is filled again, so the
// user sees what the key holds. What the user did not change is written back exactly as read,
// and each time stays with its address. Registry results are ignored on purpose; a failure
// shows as the reloaded list.
//
// A rewrite never starts from a stale list: a delete or a replace first reads the slots of both
// keys again. If another program changed any of them meanwhile, nothing is written: the list is
// filled again and the user told.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

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
    History(const cQueryReg& registry, HistoryView& view, HistoryKeys keys);

    // The main window's load: the list from the key, then the status line's load form.
    void OnLoad();
    // The refresh command.
    void Refresh();
    // The list's selection changed.
    void RecordSelection();
    // Whether an entry is selected; if not, tells the user that the command needs one.
    bool RequireSelection();
    // The selected entry's whole text (it may hold NULs, which a text box does not show).
    std::wstring SelectedText() const;

    // Fills the list with the non-empty slots in slot order; selects nothing.
    void ReloadHistory();
    // Makes slots 1 to 25 of both keys hold the entries by position: an entry's address and time
    // as read, or its replaced text beside its time; an empty text leaves its slot absent in
    // both. Slots that already hold their target are not written.
    void RewriteHistory();
    // The delete command: removes the selected entry, rewrites and reloads.
    void DeleteSelectedEntry();
    // The edit dialog's accept: the entry at the recorded index gets newText (which may be empty).
    // The entry's own text leaves it exactly as read.
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

    // The selected entry, or null when the selection names none.
    const Entry* Selected() const;
    Slots ReadSlots() const;
    // Fills the list from the slots' non-empty texts, remembering the slots.
    void Fill(const Slots& slots);
    // Whether both keys' slots still read as when the list was last filled. If not, the list is
    // filled again from the keys, the status line shows the refresh form and the user is told.
    bool ListIsCurrent();
    // What a slot is to hold after the change: the entry now at that position (none beyond the
    // entries).
    Slot Target(std::size_t position) const;
    // Makes one value of a slot hold `target` (absent: deleted) unless it does already.
    void WriteValue(const std::wstring& keyPath, int slot, const std::optional<StoredValue>& now,
                    const std::optional<StoredValue>& target, bool createKey) const;

    const cQueryReg& registry_;
    HistoryView& view_;
    HistoryKeys keys_;
    Slots loaded_;                // the slots as the list was last filled from them
    std::vector<Entry> entries_;  // the list's items, in list order
};

}  // namespace tilu
