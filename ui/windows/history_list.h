// The main window's list box as the history's list.
#pragma once

#include <string>
#include <vector>

#include "history/history_view.h"
#include "ui/layer/list_box.h"

namespace tilu::ui {

class HistoryList : public ListBox, public ListModel {
public:
    using ListBox::ListBox;

    int Count() const override { return ListBox::Count(); }
    void Fill(const std::vector<std::wstring>& texts) override { ListBox::Fill(texts); }
    int SelectedIndex() const override { return ListBox::SelectedIndex(); }
};

}  // namespace tilu::ui
