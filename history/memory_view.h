// A history view held in memory, for tests and the benchmark.
#pragma once

#include <cstdint>
#include <string>

#include "history/history_view.h"
#include "history/memory_list.h"

namespace tilu {

class MemoryView : public HistoryView {
public:
    MemoryList& List() override { return list_; }
    std::int16_t RecordedIndex() const override { return recordedIndex_; }
    void SetRecordedIndex(std::int16_t index) override { recordedIndex_ = index; }
    void SetStatusLine(const std::wstring& text) override { statusLine_ = text; }

    const MemoryList& List() const { return list_; }
    const std::wstring& StatusLine() const { return statusLine_; }

private:
    MemoryList list_;
    std::int16_t recordedIndex_ = 0;
    std::wstring statusLine_;
};

}  // namespace tilu
