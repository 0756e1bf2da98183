#include "registry/data.h"

#include <limits>

namespace tilu {
namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

// Optional blanks, an optional sign, then decimal digits only, within the int32 range.
std::int32_t ParseInt32(const std::wstring& text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) {
        negative = text[pos] == L'-';
        ++pos;
    }
    if (pos == text.size()) {
        throw DataConversionError("text is not a number");
    }
    // Accumulate in 64 bits; stop as soon as the value leaves the 32-bit range.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const wchar_t c = text[pos];
        if (c < L'0' || c > L'9') {
            throw DataConversionError("text is not a number");
        }
        magnitude = magnitude * 10 + (c - L'0');
        if (magnitude > kLimit) {
            throw DataConversionError("number out of the 32-bit range");
        }
    }
    if (!negative && magnitude == kLimit) {
        throw DataConversionError("number out of the 32-bit range");
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace

std::wstring Data::ToText() const {
    if (IsEmpty()) {
        return {};
    }
    if (const auto* text = std::get_if<std::wstring>(&value_)) {
        return *text;
    }
    if (const auto* number = std::get_if<std::int32_t>(&value_)) {
        return std::to_wstring(*number);
    }
    throw DataConversionError("bytes do not convert to text");
}

std::vector<std::uint8_t> Data::ToBytes() const {
    if (const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&value_)) {
        if (bytes->empty()) {
            throw DataConversionError("empty byte array has no element at index 0");
        }
        return *bytes;
    }
    throw DataConversionError("only a byte array converts to bytes");
}

std::int32_t Data::ToInt32() const {
    if (IsEmpty()) {
        return 0;
    }
    if (const auto* number = std::get_if<std::int32_t>(&value_)) {
        return *number;
    }
    if (const auto* text = std::get_if<std::wstring>(&value_)) {
        return ParseInt32(*text);
    }
    throw DataConversionError("bytes do not convert to a number");
}

}  // namespace tilu
