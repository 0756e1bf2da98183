#include "history/history.h"

#include <utility>

#include "history/status_line.h"

namespace tilu {

namespace {

constexpr std::int16_t kCreateKey = -1;
constexpr wchar_t kNothingSelected[] = L"No has seleccionado ningún elemento.";
constexpr wchar_t kChangedOutside[] = L"El historial ha cambiado fuera del programa.";

}  // namespace

History::History(const cQueryReg& registry, HistoryView& view, std::wstring keyPath)
    : registry_(registry), view_(view), keyPath_(std::move(keyPath)) {}

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

bool History::RequireSelection() {
    if (view_.List().SelectedText().empty()) {
        view_.ShowNotice(kNothingSelected);
        return false;
    }
    return true;
}

History::SlotTexts History::ReadSlots() const {
    // Every slot is read: a gap does not end the history.
    SlotTexts slots;
    for (int slot = 1; slot <= SlotCount; ++slot) {
        slots[slot - 1] = registry_.QueryStringValue(keyPath_, SlotName(slot), kHkeyCurrentUser);
    }
    return slots;
}

void History::Fill(SlotTexts slots) {
    ListModel& list = view_.List();
    list.Clear();
    for (const std::wstring& text : slots) {
        if (!text.empty()) {
            list.Append(text);
        }
    }
    loaded_ = std::move(slots);
}

void History::ReloadHistory() {
    Fill(ReadSlots());
}

bool History::ListIsCurrent() {
    // Another program may have added, changed or removed an entry, or the whole key, since the
    // list was filled; rewriting from the list would undo that. The slots are read just before
    // the rewrite, so only a change in the moment between the two can still be overwritten.
    SlotTexts now = ReadSlots();
    if (now == loaded_) {
        return true;
    }
    Fill(std::move(now));
    view_.SetStatusLine(RefreshStatus(view_.List().Count()));
    view_.ShowNotice(kChangedOutside);
    return false;
}

void History::RewriteHistory() {
    // One ascending pass that overwrites each slot in place rather than clearing the key first:
    // an item only ever moves to a lower slot, so it is written there before its old slot is
    // reached, and a stop at any point loses no entry that the rewrite keeps.
    const ListModel& list = view_.List();
    for (int slot = 1; slot <= SlotCount; ++slot) {
        std::wstring text = list.TextAt(slot - 1);
        if (text.empty()) {
            registry_.DeleteValue(keyPath_, SlotName(slot), kHkeyCurrentUser);
        } else {
            registry_.SetValue(keyPath_, SlotName(slot), Data(std::move(text)), kHkeyCurrentUser,
                               static_cast<std::int32_t>(kRegSz), kCreateKey);
        }
    }
}

void History::DeleteSelectedEntry() {
    if (!RequireSelection() || !ListIsCurrent()) {
        return;
    }
    ListModel& list = view_.List();
    list.RemoveAt(list.SelectedIndex());
    RewriteHistory();
    ReloadHistory();
    view_.SetStatusLine(DeleteStatus(list.Count()));
}

void History::ReplaceEntry(const std::wstring& newText) {
    ListModel& list = view_.List();
    const int index = view_.RecordedIndex();
    // The windows never get here without a valid index; should one come anyway, there is no
    // entry to replace, so the list, the key and the status line stay as they are.
    if (index < 0 || index >= list.Count() || !ListIsCurrent()) {
        return;
    }
    list.SetTextAt(index, newText);
    RewriteHistory();
    ReloadHistory();
    view_.SetStatusLine(ReplaceStatus(list.Count()));
}

}  // namespace tilu
