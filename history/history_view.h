// What the history operations need of the main window: its list, its record of the last
// selected index and its status line.
#pragma once

#include <cstdint>
#include <string>

#include "history/list_model.h"

namespace tilu {

class HistoryView {
public:
    virtual ~HistoryView() = default;

    virtual ListModel& List() = 0;
    // The list index of the last selection change, 16-bit as the window keeps it.
    virtual std::int16_t RecordedIndex() const = 0;
    virtual void SetRecordedIndex(std::int16_t index) = 0;
    virtual void SetStatusLine(const std::wstring& text) = 0;
};

}  // namespace tilu
