#include "tests/support/memory_list.h"

#include <stdexcept>

namespace tilu {

void MemoryList::Fill(const std::vector<std::wstring>& texts) {
    items_ = texts;
    selected_ = -1;
}

void MemoryList::Select(int position) {
    if (position < -1 || position >= Count()) {
        throw std::out_of_range("MemoryList::Select");
    }
    selected_ = position;
}

}  // namespace tilu
