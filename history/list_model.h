// The operations the history needs of the main window's list: an ordered, unsorted list of
// texts with at most one selected item.
#pragma once

#include <string>

namespace tilu {

class ListModel {
public:
    virtual ~ListModel() = default;

    virtual int Count() const = 0;
    // Empty text for a position at or past the end (or below zero).
    virtual std::wstring TextAt(int position) const = 0;
    virtual void Append(const std::wstring& text) = 0;
    // The following items move up one position. Position must designate an item.
    virtual void RemoveAt(int position) = 0;
    // Position must designate an item.
    virtual void SetTextAt(int position, const std::wstring& text) = 0;
    // Removes every item; nothing is selected afterwards.
    virtual void Clear() = 0;
    // -1 when nothing is selected.
    virtual int SelectedIndex() const = 0;
    // Empty text when nothing is selected.
    virtual std::wstring SelectedText() const = 0;
};

}  // namespace tilu
