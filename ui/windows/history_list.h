// The main window's list box as the history's working copy: the list operations the history
// logic needs, carried out on the list box itself.
#pragma once

#include <string>

#include "history/list_model.h"
#include "ui/layer/list_box.h"

namespace tilu::ui {

class HistoryList : public ListBox, public ListModel {
public:
    using ListBox::ListBox;

    int Count() const override { return ListBox::Count(); }
    std::wstring TextAt(int position) const override { return ListBox::Text(position); }
    void Append(const std::wstring& text) override { ListBox::Append(text); }
    void RemoveAt(int position) override { ListBox::RemoveAt(position); }
    void SetTextAt(int position, const std::wstring& text) override {
        ListBox::SetText(position, text);
    }
    void Clear() override { ListBox::Clear(); }
    int SelectedIndex() const override { return ListBox::SelectedIndex(); }
    std::wstring SelectedText() const override { return ListBox::SelectedText(); }
};

}  // namespace tilu::ui
