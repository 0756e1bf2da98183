#include "history/history.h"

#include <utility>

#include "history/status_line.h"

namespace tilu {

namespace {

constexpr std::int16_t kCreateKey = -1;
constexpr std::int16_t kExistingKeyOnly = 0;
constexpr wchar_t kNothingSelected[] = L"No has seleccionado ningún elemento.";
constexpr wchar_t kChangedOutside[] = L"El historial ha cambiado fuera del programa.";
constexpr wchar_t kNotSaved[] = L"No se ha podido guardar el cambio.";

const std::vector<std::wstring>& SlotNames() {
    static const std::vector<std::wstring> names = [] {
        std::vector<std::wstring> all;
        for (int slot = 1; slot <= SlotCount; ++slot) {
            all.push_back(SlotName(slot));
        }
        return all;
    }();
    return names;
}

// Makes one value of a slot hold `target` (absent: deleted) unless it does already.
bool Write(cQueryReg::KeyWriter& key, int slot, const std::optional<StoredValue>& now,
           const std::optional<StoredValue>& target) {
    if (now == target) {
        return true;
    }
    const std::wstring& name = SlotNames()[slot - 1];
    return (target ? key.Set(name, *target) : key.Delete(name)) == kErrorSuccess;
}

}  // namespace

History::History(const cQueryReg& registry, HistoryView& view, HistoryKeys keys, ChangeLock& lock)
    : registry_(registry), view_(view), keys_(std::move(keys)), lock_(lock) {}

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

std::optional<std::size_t> History::Selected() const {
    const int selected = view_.List().SelectedIndex();
    if (selected < 0 || selected >= static_cast<int>(entries_.size())) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(selected);
}

bool History::RequireSelection() {
    if (!Selected()) {
        view_.ShowNotice(kNothingSelected);
        return false;
    }
    return true;
}

std::optional<std::wstring> History::BeginEdit() {
    if (!RequireSelection()) {
        return std::nullopt;
    }
    // Another program (an automation tool, a screen reader) may have moved the highlight with
    // LB_SETCURSEL, which gives no notice of a selection (LBN_SELCHANGE, MSDN); the dialog shows,
    // and the accept replaces, what is highlighted now.
    RecordSelection();
    edited_ = Selected();
    return entries_[*edited_].text;
}

bool History::ReadSlots(Slots& slots) const {
    // Every slot is read: a gap does not end the history.
    const cQueryReg::ValuesRead addresses =
        registry_.QueryValues(keys_.addresses, SlotNames(), kHkeyCurrentUser);
    const cQueryReg::ValuesRead times =
        registry_.QueryValues(keys_.times, SlotNames(), kHkeyCurrentUser);
    for (std::size_t i = 0; i < slots.size(); ++i) {
        slots[i] = {addresses.values[i], times.values[i]};
    }
    return addresses.complete && times.complete;
}

void History::Fill(const Slots& slots) {
    entries_.clear();
    edited_.reset();
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
    Slots slots;
    ReadSlots(slots);
    Fill(slots);
}

template <class Edit>
History::Outcome History::Change(Edit edit) {
    const ChangeLock::Hold hold(lock_);
    if (!hold.Held()) {
        ReloadHistory();
        return Outcome::kNotSaved;
    }
    // Another program may have added, changed or removed an address or a time, or a whole key,
    // since the list was filled; rewriting from the list would undo that. Another copy of this
    // program waits for the lock, so only a writer that takes none (the browser) can still slip
    // into the moment between this read and the rewrite. A slot that cannot be read counts as
    // changed: nothing is written over what was not seen.
    Slots now;
    if (!ReadSlots(now) || now != loaded_) {
        Fill(now);
        return Outcome::kChangedElsewhere;
    }
    edit();
    const bool saved = RewriteHistory();
    ReloadHistory();
    return saved ? Outcome::kSaved : Outcome::kNotSaved;
}

void History::Report(Outcome outcome, std::wstring (*savedStatus)(int count)) {
    // The lock is released by now: the user may take a while to close the message.
    const int count = view_.List().Count();
    view_.SetStatusLine(outcome == Outcome::kSaved ? savedStatus(count) : RefreshStatus(count));
    if (outcome != Outcome::kSaved) {
        view_.ShowNotice(outcome == Outcome::kChangedElsewhere ? kChangedOutside : kNotSaved);
    }
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

bool History::RewriteHistory() {
    // One ascending pass that overwrites each slot in place rather than clearing the keys first:
    // an entry only ever moves to a lower slot, so its address and then its time are written
    // there before its old slot is reached. A stop at any point, a refused write included, loses
    // no address and no time that the rewrite keeps, and only the slot being written can pair an
    // address with another's time; so a refused write just ends the pass, with nothing to undo.
    // The time key is never created: without it the browser keeps no times.
    cQueryReg::KeyWriter addresses =
        registry_.WriteKey(keys_.addresses, kHkeyCurrentUser, kCreateKey);
    cQueryReg::KeyWriter times =
        registry_.WriteKey(keys_.times, kHkeyCurrentUser, kExistingKeyOnly);
    for (int slot = 1; slot <= SlotCount; ++slot) {
        const Slot& now = loaded_[slot - 1];
        const Slot target = Target(static_cast<std::size_t>(slot - 1));
        if (!Write(addresses, slot, now.address, target.address) ||
            !Write(times, slot, now.time, target.time)) {
            return false;
        }
    }
    return true;
}

void History::DeleteSelectedEntry() {
    if (!RequireSelection()) {
        return;
    }
    const std::size_t selected = *Selected();
    Report(
        Change([&] { entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(selected)); }),
        DeleteStatus);
}

void History::ReplaceEntry(const std::wstring& newText) {
    // The windows never get here without an entry in edit; should they anyway, there is none to
    // replace, so the list, the keys and the status line stay as they are.
    if (!edited_) {
        return;
    }
    const std::size_t position = *edited_;
    if (newText == entries_[position].text) {
        // Nothing to save: the keys stay exactly as they are, gaps and hidden values included.
        ReloadHistory();
        view_.SetStatusLine(ReplaceStatus(view_.List().Count()));
        return;
    }
    Report(Change([&] {
               entries_[position].text = newText;
               entries_[position].replaced = true;
           }),
           ReplaceStatus);
}

}  // namespace tilu
