#include "tests/support/memory_list.h"

#include <stdexcept>

namespace tilu {

std::wstring MemoryList::TextAt(int position) const {
    return Designates(position) ? items_[static_cast<std::size_t>(position)] : std::wstring();
}

void MemoryList::RemoveAt(int position) {
    if (!Designates(position)) {
        throw std::out_of_range("MemoryList::RemoveAt");
    }
    items_.erase(items_.begin() + position);
    // As a list box does: the selected item going away leaves nothing selected, and a selection
    // below the removed item follows its item up.
    if (selected_ == position) {
        selected_ = -1;
    } else if (selected_ > position) {
        --selected_;
    }
}

void MemoryList::SetTextAt(int position, const std::wstring& text) {
    if (!Designates(position)) {
        throw std::out_of_range("MemoryList::SetTextAt");
    }
    items_[static_cast<std::size_t>(position)] = text;
}

void MemoryList::Clear() {
    items_.clear();
    selected_ = -1;
}

void MemoryList::Select(int position) {
    if (position != -1 && !Designates(position)) {
        throw std::out_of_range("MemoryList::Select");
    }
    selected_ = position;
}

}  // namespace tilu
