// A list model held in memory, for tests and the benchmark; the selection is set by the caller
// as a user's click would set it.
#pragma once

#include <string>
#include <vector>

#include "history/history_view.h"

namespace tilu {

class MemoryList : public ListModel {
public:
    int Count() const override { return static_cast<int>(items_.size()); }
    void Fill(const std::vector<std::wstring>& texts) override;
    int SelectedIndex() const override { return selected_; }

    // Selects the item at position, or nothing with -1.
    void Select(int position);
    const std::vector<std::wstring>& Items() const { return items_; }

private:
    std::vector<std::wstring> items_;
    int selected_ = -1;
};

}  // namespace tilu
