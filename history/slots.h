// The slot scheme of the typed-address history: 25 REG_SZ values url1 to url25 of one key,
// in numeric order (url9 before url10).
#pragma once

#include <string>
#include <string_view>

namespace tilu {

inline constexpr std::wstring_view HistoryKeyPath =
    L"HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\TypedURLs";

// Since Windows 8 the browser keeps, under the same slot names, when each address was last typed
// (REG_BINARY FILETIMEs): slot k's time belongs to slot k's address.
inline constexpr std::wstring_view HistoryTimeKeyPath =
    L"HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\TypedURLsTime";

inline constexpr int SlotCount = 25;

// "url" followed by the slot number in decimal: slot 1 is url1, slot 25 is url25.
std::wstring SlotName(int slot);

}  // namespace tilu
