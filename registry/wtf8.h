// The 8-bit form of the module's texts: WTF-8, that is UTF-8 that also encodes lone UTF-16
// surrogates (as the three bytes UTF-8 would give their code points). Every UTF-16 sequence the
// registry can hold survives the round trip, and well-formed UTF-8 is the same bytes as under a
// UTF-8 code page, whatever code page the process runs under. Lengths are explicit, so embedded
// NULs survive both ways.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tilu {

std::string ToWtf8(std::wstring_view text);
// Malformed bytes become U+FFFD, one for each maximal ill-formed subpart, as UTF-8 decoders do.
std::wstring FromWtf8(std::string_view bytes);

// Text as the registry stores it: UTF-16 units, little-endian (where wchar_t holds whole code
// points, one beyond U+FFFF becomes its surrogate pair).
std::vector<std::uint8_t> ToUtf16Bytes(std::wstring_view text);
// The stored units as text, surrogate pairs joined where wchar_t holds whole code points. An odd
// last byte is no unit and is left out.
std::wstring FromUtf16Bytes(std::span<const std::uint8_t> bytes);

}  // namespace tilu
