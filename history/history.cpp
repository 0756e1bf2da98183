#include "history/history.h"

#include <utility>

#include "history/status_line.h"

namespace tilu {

namespace {

constexpr std::int16_t kCreateKey = -1;
constexpr std::int16_t kExistingKeyOnly = 0;
constexpr wchar_t kNothingSelected[] = L"No has seleccionado ningún elemento.";
constexpr wchar_t kChangedOutside[] = L"El historial ha cambiado fuera del programa.";

}  // namespace

History::History(const cQueryReg& registry, HistoryView& view, HistoryKeys keys)
    : registry_(registry), view_(view), keys_(std::move(keys)) {}

void History::OnLoad() {
    // A freshly loaded window has recorded no selection yet.
    view_.SetRecordedIndex(0);
    ReloadHistory();
    view_.SetStatusLine(LoadStatus(view_.RecordedIndex(), view_.List().Count()));
}

void History::Refresh() {
    ReloadHistory();
    view_.SetStatusLine(RefreshStatus(view_.List().Count()));
}

void History::RecordSelection() {
    // The list never holds more than SlotCount items, so the index fits in 16 bits.
    view_.SetRecordedIndex(static_cast<std::int16_t>(view_.List().SelectedIndex()));
    view_.SetStatusLine(SelectionStatus(view_.RecordedIndex(), view_.List().Count()));
}

const History::Entry* History::Selected() const {
    const int selected = view_.List().SelectedIndex();
    return selected >= 0 && selected < static_cast<int>(entries_.size())
               ? &entries_[static_cast<std::size_t>(selected)]
               : nullptr;
}

bool History::RequireSelection() {
    if (!Selected()) {
        view_.ShowNotice(kNothingSelected);
        return false;
    }
    return true;
}

std::wstring History::SelectedText() const {
    const Entry* entry = Selected();
    return entry ? entry->text : std::wstring();
}

History::Slots History::ReadSlots() const {
    // Every slot is read: a gap does not end the history.
    Slots slots;
    for (int slot = 1; slot <= SlotCount; ++slot) {
        slots[slot - 1] = {registry_.QueryValue(keys_.addresses, SlotName(slot), kHkeyCurrentUser),
                           registry_.QueryValue(keys_.times, SlotName(slot), kHkeyCurrentUser)};
    }
    return slots;
}

void History::Fill(const Slots& slots) {
    entries_.clear();
    std::vector<std::wstring> texts;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const std::optional<StoredValue>& address = slots[i].address;
        std::wstring text = address ? cQueryReg::TextOf(*address) : std::wstring();
        if (!text.empty()) {
            texts.push_back(text);
            entries_.push_back({i, std::move(text)});
        }
    }
    view_.List().Fill(texts);
    loaded_ = slots;
}

void History::ReloadHistory() {
    Fill(ReadSlots());
}

bool History::ListIsCurrent() {
    // Another program may have added, changed or removed an address or a time, or a whole key,
    // since the list was filled; rewriting from the list would undo that. The slots are read just
    // before the rewrite, so only a change in the moment between the two can still be overwritten.
    const Slots now = ReadSlots();
    if (now == loaded_) {
        return true;
    }
    Fill(now);
    view_.SetStatusLine(RefreshStatus(view_.List().Count()));
    view_.ShowNotice(kChangedOutside);
    return false;
}

History::Slot History::Target(std::size_t position) const {
    if (position >= entries_.size()) {
        return {};
    }
    const Entry& entry = entries_[position];
    const Slot& read = loaded_[entry.slot];
    if (!entry.replaced) {
        return read;
    }
    // A replaced address keeps its time: the user changed its text, not when it was typed. An
    // empty text leaves a gap, without a time.
    if (entry.text.empty()) {
        return {};
    }
    return Slot{cQueryReg::StringValue(entry.text), read.time};
}

void History::WriteValue(const std::wstring& keyPath, int slot,
                         const std::optional<StoredValue>& now,
                         const std::optional<StoredValue>& target, bool createKey) const {
    if (now == target) {
        return;
    }
    if (target) {
        registry_.SetStoredValue(keyPath, SlotName(slot), *target, kHkeyCurrentUser,
                                 createKey ? kCreateKey : kExistingKeyOnly);
    } else {
        registry_.DeleteValue(keyPath, SlotName(slot), kHkeyCurrentUser);
    }
}

void History::RewriteHistory() {
    // One ascending pass that overwrites each slot in place rather than clearing the keys first:
    // an entry only ever moves to a lower slot, so its address and then its time are written
    // there before its old slot is reached. A stop at any point loses no address and no time that
    // the rewrite keeps, and only the slot being written can pair an address with another's time.
    // The time key is never created: without it the browser keeps no times.
    for (int slot = 1; slot <= SlotCount; ++slot) {
        const Slot& now = loaded_[slot - 1];
        const Slot target = Target(static_cast<std::size_t>(slot - 1));
        WriteValue(keys_.addresses, slot, now.address, target.address, true);
        WriteValue(keys_.times, slot, now.time, target.time, false);
    }
}

void History::DeleteSelectedEntry() {
    if (!RequireSelection() || !ListIsCurrent()) {
        return;
    }
    entries_.erase(entries_.begin() + view_.List().SelectedIndex());
    RewriteHistory();
    ReloadHistory();
    view_.SetStatusLine(DeleteStatus(view_.List().Count()));
}

void History::ReplaceEntry(const std::wstring& newText) {
    const int index = view_.RecordedIndex();
    // The windows never get here without a valid index; should one come anyway, there is no
    // entry to replace, so the list, the keys and the status line stay as they are.
    if (index < 0 || index >= static_cast<int>(entries_.size()) || !ListIsCurrent()) {
        return;
    }
    Entry& entry = entries_[static_cast<std::size_t>(index)];
    if (newText != entry.text) {
        entry.text = newText;
        entry.replaced = true;
    }
    RewriteHistory();
    ReloadHistory();
    view_.SetStatusLine(ReplaceStatus(view_.List().Count()));
}

}  // namespace tilu
