// The texts of the main window's status line, one function per moment that sets it.
// A 0 before " de " in the load, refresh, delete and replace forms means nothing is selected.
#pragma once

#include <cstdint>
#include <string>

namespace tilu {

// After the window's load: the recorded index as it is (always 0 right after a load).
std::wstring LoadStatus(std::int16_t recordedIndex, int count);
// After a selection change: the recorded index plus one, so -1 shows as 0.
std::wstring SelectionStatus(std::int16_t recordedIndex, int count);
std::wstring RefreshStatus(int count);
// Two blanks before "de", unlike every other form.
std::wstring DeleteStatus(int count);
std::wstring ReplaceStatus(int count);

}  // namespace tilu
