// Conversion between the module's Unicode texts and the byte strings of the ANSI code page that
// the registry's A functions take. Lengths are explicit, so embedded NULs survive both ways.
#pragma once

#include <string>
#include <string_view>

namespace tilu {

std::string ToAnsi(const std::wstring& text);
std::wstring FromAnsi(std::string_view bytes);

}  // namespace tilu
