// A history view held in memory, for tests and the benchmark: it keeps the status line and the
// notices the user would have been shown.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "history/history_view.h"
#include "tests/support/memory_list.h"

namespace tilu {

class MemoryView : public HistoryView {
public:
    MemoryList& List() override { return list_; }
    std::int16_t RecordedIndex() const override { return recordedIndex_; }
    void SetRecordedIndex(std::int16_t index) override { recordedIndex_ = index; }
    void SetStatusLine(const std::wstring& text) override { statusLine_ = text; }
    void ShowNotice(const std::wstring& message) override { notices_.push_back(message); }

    const MemoryList& List() const { return list_; }
    const std::wstring& StatusLine() const { return statusLine_; }
    const std::vector<std::wstring>& Notices() const { return notices_; }

private:
    MemoryList list_;
    std::int16_t recordedIndex_ = 0;
    std::wstring statusLine_;
    std::vector<std::wstring> notices_;
};

}  // namespace tilu
