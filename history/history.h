// The typed-address history operations of the main window: filling its list from the history
// key, following the selection, and rewriting the key after a delete or a replace.
//
// The list is the only working copy: every change is made on the list, the key is rewritten
// from it and the list is filled again from the key, so the user sees what the key holds.
// Registry results are ignored on purpose; a failure shows as the reloaded list.
//
// A rewrite never starts from a stale list: the history remembers what each slot read when the
// list was last filled, and a delete or a replace first reads the slots again. If another
// program changed any of them meanwhile, nothing is written: the list is filled again and the
// user told.
#pragma once

#include <array>
#include <string>

#include "history/history_view.h"
#include "history/slots.h"
#include "registry/cqueryreg.h"

namespace tilu {

class History {
public:
    // keyPath: the history key, HistoryKeyPath in the program; tests name a scratch one.
    History(const cQueryReg& registry, HistoryView& view, std::wstring keyPath);

    // The main window's load: the list from the key, then the status line's load form.
    void OnLoad();
    // The refresh command.
    void Refresh();
    // The list's selection changed.
    void RecordSelection();
    // Whether an entry is selected; if not, tells the user that the command needs one.
    bool RequireSelection();

    // Empties the list and appends the non-empty slots in slot order; selects nothing.
    void ReloadHistory();
    // Makes slots 1 to 25 hold the list's texts by position; an empty text leaves its slot absent.
    void RewriteHistory();
    // The delete command: removes the selected item, rewrites and reloads.
    void DeleteSelectedEntry();
    // The edit dialog's accept: the item at the recorded index gets newText (which may be empty).
    void ReplaceEntry(const std::wstring& newText);

private:
    using SlotTexts = std::array<std::wstring, SlotCount>;

    // Slots 1 to 25 as they read now; empty text for an empty slot.
    SlotTexts ReadSlots() const;
    // Empties the list and appends the non-empty slots, remembering them all.
    void Fill(SlotTexts slots);
    // Whether the slots still read as when the list was last filled. If not, the list is filled
    // again from the key, the status line shows the refresh form and the user is told.
    bool ListIsCurrent();

    const cQueryReg& registry_;
    HistoryView& view_;
    std::wstring keyPath_;
    SlotTexts loaded_;  // the slots as the list was last filled from them
};

}  // namespace tilu
