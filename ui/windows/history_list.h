// The main window's list box as the history's working copy: the list operations the history
// logic needs, carried out on the list box itself.
//
// A list box cannot hold every text the registry can: it shows a text up to its first NUL. So
// the list keeps each item's exact text beside the list box, and the history gets those back:
// an entry the user did not edit is written back exactly as it was read.
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
    std::wstring TextAt(int position) const override {
        return Designates(position) ? exact_[static_cast<std::size_t>(position)] : std::wstring();
    }
    void Append(const std::wstring& text) override {
        ListBox::Append(text);
        exact_.push_back(text);
    }
    void RemoveAt(int position) override {
        ListBox::RemoveAt(position);
        if (Designates(position)) {
            exact_.erase(exact_.begin() + position);
        }
    }
    void SetTextAt(int position, const std::wstring& text) override {
        ListBox::SetText(position, text);
        if (Designates(position)) {
            exact_[static_cast<std::size_t>(position)] = text;
        }
    }
    void Clear() override {
        ListBox::Clear();
        exact_.clear();
    }
    int SelectedIndex() const override { return ListBox::SelectedIndex(); }
    std::wstring SelectedText() const override { return TextAt(SelectedIndex()); }

private:
    bool Designates(int position) const {
        return position >= 0 && position < static_cast<int>(exact_.size());
    }

    std::vector<std::wstring> exact_;  // each item's text, NULs and all
};

}  // namespace tilu::ui
