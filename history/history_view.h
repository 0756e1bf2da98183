// What the history operations need of the main window: its list, its record of the last
// selected index, its status line and its notices to the user.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tilu {

// The main window's list: an ordered, unsorted list of texts with at most one selected item.
class ListModel {
public:
    virtual ~ListModel() = default;

    virtual int Count() const = 0;
    // Replaces every item by these texts, in order; nothing is selected afterwards.
    virtual void Fill(const std::vector<std::wstring>& texts) = 0;
    // -1 when nothing is selected.
    virtual int SelectedIndex() const = 0;
};

class HistoryView {
public:
    virtual ~HistoryView() = default;

    virtual ListModel& List() = 0;
    // The list index of the last selection change, 16-bit as the window keeps it.
    virtual std::int16_t RecordedIndex() const = 0;
    virtual void SetRecordedIndex(std::int16_t index) = 0;
    virtual void SetStatusLine(const std::wstring& text) = 0;
    // Tells the user `message` in the message dialog, with a beep; returns once it is closed.
    virtual void ShowNotice(const std::wstring& message) = 0;
};

}  // namespace tilu
