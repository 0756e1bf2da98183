// The byte rules of advapi32's ANSI functions that both stores follow when they hand values and
// names across the RegistryApi boundary, written once.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "registry/registry_api.h"

namespace tilu {

// REG_SZ, REG_EXPAND_SZ and REG_MULTI_SZ: the types whose data is text.
bool IsStringType(Dword type);

// The byte count RegSetValueExA stores for `data`. MSDN asks for cbData to count the terminating
// NUL; advapi32 (Wine's too) also counts a NUL that directly follows a string whose count leaves
// it out, so the byte after the data must be readable.
Dword CountedSize(Dword type, const std::uint8_t* data, Dword size);

// A value's data in the ANSI form from its stored form: strings converted from UTF-16 to WTF-8
// (an odd last byte dropped, as the A functions drop it), other types as they are.
std::vector<std::uint8_t> AnsiData(Dword type, std::span<const std::uint8_t> stored);
// The stored form of data given in the ANSI form: the counted bytes (CountedSize), strings
// converted to UTF-16 (bytes that are not WTF-8 become U+FFFD).
std::vector<std::uint8_t> StoredData(Dword type, const std::uint8_t* data, Dword size);

// Hands a value out as RegQueryValueExA does: with a null `data` only its size; otherwise its bytes
// when `size` has room for them, else kErrorMoreData and nothing written. A string without a
// terminator gets one where the buffer has room to spare. `size` comes back as the value's size.
Status CopyValueOut(Dword type, std::span<const std::uint8_t> bytes, std::uint8_t* data,
                    Dword& size);

// Hands a name out as RegEnumKeyExA does: `length` goes in as the buffer's size in characters,
// terminator included, and comes back as the name's length; a name that does not fit is
// kErrorMoreData.
Status CopyNameOut(std::string_view name, char* buffer, Dword& length);

}  // namespace tilu
